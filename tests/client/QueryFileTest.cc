#include "client/query_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct QueryFileCase {
  const char* name;
  std::string input;
  std::string artist, album, track, isrc, upc;
};

void PrintTo(const QueryFileCase& c, std::ostream* os) { *os << testing::PrintToString(c.input); }

// The bytes a field must hold: the text, then NULs to the end.
std::string padded(const std::string& text) { return text + std::string(200 - text.size(), '\0'); }

std::string field(const char (&bytes)[200]) { return std::string(bytes, sizeof(bytes)); }

// What read_query_file makes of `input`, starting from a request full of junk so that
// fields it fails to empty show.
lookup_query readFrom(const std::string& input) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(tmpfile(), fclose);
  EXPECT_NE(file, nullptr);
  fwrite(input.data(), 1, input.size(), file.get());
  rewind(file.get());
  lookup_query query;
  memset(&query, '#', sizeof(query));
  read_query_file(file.get(), &query);
  return query;
}

class QueryFileTest : public testing::TestWithParam<QueryFileCase> {};

TEST_P(QueryFileTest, FillsFieldsFromKeyedLines) {
  const QueryFileCase& c = GetParam();
  lookup_query query = readFrom(c.input);
  EXPECT_EQ(field(query.artist), padded(c.artist));
  EXPECT_EQ(field(query.album), padded(c.album));
  EXPECT_EQ(field(query.track), padded(c.track));
  EXPECT_EQ(field(query.isrc), padded(c.isrc));
  EXPECT_EQ(field(query.upc), padded(c.upc));
  EXPECT_EQ(std::string(query.command_name, sizeof(query.command_name)), std::string(20, '#'));
}

const std::string a199(199, 'a');
// A first piece of exactly 1023 bytes, so the next byte starts a piece of its own.
const std::string longArtistPiece = "Artist|" + std::string(1016, 'a');

INSTANTIATE_TEST_SUITE_P(
    Lines, QueryFileTest,
    testing::Values(
        QueryFileCase{"Empty", "", "", "", "", "", ""},
        QueryFileCase{"ArtistAlbumSong",
                      "Artist|Some Artist\nAlbum|Some Album\nSong|Some Title\n",
                      "Some Artist", "Some Album", "Some Title", "", ""},
        QueryFileCase{"CodesOnly", "ISRC|USABC1234567\nUPC|012345678905\n", "", "", "",
                      "USABC1234567", "012345678905"},
        QueryFileCase{"LastLineWithoutLineFeed", "Artist|A\nSong|Last one", "A", "", "Last one",
                      "", ""},
        QueryFileCase{"WindowsLineEndsKeepCarriageReturn", "Artist|A\r\nSong|T\r\n", "A\r", "",
                      "T\r", "", ""},
        QueryFileCase{"OtherKeysAndLinesWithoutBarIgnored",
                      "Comment|x\nArtist\n\nartist|lower\nSong |spaced\n Song|lead\nAlbum|Kept\n",
                      "", "Kept", "", "", ""},
        QueryFileCase{"LaterLineWins", "Artist|First\nAlbum|Old\nArtist|Second\nAlbum|\n",
                      "Second", "", "", "", ""},
        QueryFileCase{"ValueKeepsLaterBars", "Song|a|b|c\nAlbum||x\n", "", "|x", "a|b|c", "",
                      ""},
        QueryFileCase{"EmptyKey", "|Song|x\n", "", "", "", "", ""},
        // The long value is cut where the next field begins, which was filled first.
        QueryFileCase{"LongValueCutTo199Bytes",
                      "Album|Next\nArtist|" + std::string(250, 'a') + "\n", a199, "Next", "", "",
                      ""},
        QueryFileCase{"LongLineSplitInto1023BytePieces",
                      longArtistPiece + std::string(1023, 'z') + "Album|x\n", a199, "x", "", "",
                      ""},
        QueryFileCase{"PieceEndingJustBeforeLineFeed", longArtistPiece + "\nSong|t\n", a199, "",
                      "t", "", ""},
        // Text after a NUL byte is lost, but the next line is still read.
        QueryFileCase{"NulByteEndsTheValue", std::string("Song|ab\0cd\nISRC|i\n", 18), "", "",
                      "ab", "i", ""}),
    [](const testing::TestParamInfo<QueryFileCase>& info) { return info.param.name; });

}  // namespace
