#include "tools/import/tsv_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kGood = "k1\tAlbum\tThe Band\t123\t1-01\tSong\tSinger\tUSRC17607839";

struct LineCase {
  std::string line;
  std::string problem;  // empty when the line is good
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << testing::PrintToString(c.line); }

class TsvLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(TsvLineTest, AcceptsOrSaysWhy) {
  TrackLine parsed;
  std::string problem;
  bool good = parseTrackLine(GetParam().line, &parsed, &problem);
  EXPECT_EQ(good, GetParam().problem.empty());
  if (!good) {
    EXPECT_EQ(problem, GetParam().problem);
  }
}

std::string withColumn(TsvColumn column, const std::string& value) {
  TrackLine parsed;
  std::string problem;
  parseTrackLine(kGood, &parsed, &problem);
  parsed.fields[column] = value;
  std::string line;
  for (int c = 0; c < kColumnCount; ++c) line += (c > 0 ? "\t" : "") + parsed.fields[c];
  return line;
}

std::string repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TsvLineTest,
    testing::Values(
        LineCase{kGood, ""}, LineCase{"k\t\t\t\t\tSong\t\t", ""}, LineCase{kGood + "\r", ""},
        LineCase{"k\tA\tB\t\t1-01", "expected 8 columns, found 5"},
        LineCase{kGood + "\t", "expected 8 columns, found 9"},
        // Only the last '\r' is the line end; one inside a value is a byte of it.
        LineCase{withColumn(kTrackTitle, "So\rng"), ""},
        LineCase{withColumn(kAlbumArtist, "Bj\xC3"), "invalid UTF-8 in album_artist"},
        LineCase{withColumn(kTrackArtist, "\xED\xA0\x80"), "invalid UTF-8 in track_artist"},
        LineCase{withColumn(kIsrc, std::string("US\0RC", 5)), "invalid UTF-8 in isrc"},
        LineCase{withColumn(kAlbumKey, ""), "empty album_key"},
        LineCase{withColumn(kTrackTitle, ""), "empty track_title"},
        // The limits count characters, not bytes.
        LineCase{withColumn(kTrackTitle, repeated("\xC3\xA9", 512)), ""},
        LineCase{withColumn(kTrackTitle, repeated("a", 513)),
                 "track_title longer than 512 characters"},
        LineCase{withColumn(kAlbumTitle, repeated("\xE2\x82\xAC", 513)),
                 "album_title longer than 512 characters"},
        LineCase{withColumn(kIsrc, "US-RC1-76-078399"), "isrc longer than 15 characters"}));

TEST(TsvLineHeaderTest, RecognisesTheHeaderLine) {
  const std::string header =
      "album_key\talbum_title\talbum_artist\tupc\tdisc_track_no\ttrack_title\ttrack_artist\tisrc";
  EXPECT_TRUE(isHeaderLine(header));
  EXPECT_TRUE(isHeaderLine(header + "\r"));
  EXPECT_TRUE(isHeaderLine("\xEF\xBB\xBF" + header));
  EXPECT_FALSE(isHeaderLine(header + "\textra"));
  EXPECT_FALSE(isHeaderLine("ALBUM_KEY" + header.substr(9)));
  EXPECT_FALSE(isHeaderLine(kGood));
}

struct UpcCase {
  std::string text;
  std::optional<uint64_t> upc;
};

void PrintTo(const UpcCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class TsvLineUpcTest : public testing::TestWithParam<UpcCase> {};

TEST_P(TsvLineUpcTest, KeepsOnlyDigitsThatFit) {
  EXPECT_EQ(parseUpc(GetParam().text), GetParam().upc);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TsvLineUpcTest,
    testing::Values(UpcCase{"0", 0}, UpcCase{"0724384960650", 724384960650ULL},
                    UpcCase{"18446744073709551615", 18446744073709551615ULL},
                    UpcCase{"18446744073709551616", std::nullopt},
                    UpcCase{"000000000000000000001", std::nullopt}, UpcCase{"", std::nullopt},
                    UpcCase{"12 34", std::nullopt}, UpcCase{"-1", std::nullopt},
                    UpcCase{"\xEF\xBC\x91", std::nullopt}));

}  // namespace
