#include "tools/import/catalogue_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/NameCountQueries.h"

namespace {

TrackLine line(const std::string& key, const std::string& album, const std::string& albumArtist,
               const std::string& title, const std::string& artist, const std::string& upc = "",
               const std::string& isrc = "") {
  TrackLine parsed;
  parsed.fields[kAlbumKey] = key;
  parsed.fields[kAlbumTitle] = album;
  parsed.fields[kAlbumArtist] = albumArtist;
  parsed.fields[kUpc] = upc;
  parsed.fields[kTrackTitle] = title;
  parsed.fields[kTrackArtist] = artist;
  parsed.fields[kIsrc] = isrc;
  return parsed;
}

std::string upcText(const std::optional<uint64_t>& upc) {
  return upc ? std::to_string(*upc) : "NULL";
}

// The rows of a batch as the tables would hold them, fields joined with '|', rows with ';'.
std::string artists(const RowBatch& batch) {
  std::string text;
  for (const ArtistRow& a : batch.artists) {
    text +=
        (text.empty() ? "" : ";") + std::to_string(a.id) + "|" + a.name + "|" + a.normalizedName;
  }
  return text;
}

std::string albums(const RowBatch& batch) {
  std::string text;
  for (const AlbumRow& a : batch.albums) {
    text += (text.empty() ? "" : ";") + std::to_string(a.id) + "|" + a.name + "|" +
            std::to_string(a.artistId) + "|" + upcText(a.upc) + "|" +
            std::to_string(a.multipleArtists);
  }
  return text;
}

std::string tracks(const RowBatch& batch) {
  std::string text;
  for (const TrackRow& t : batch.tracks) {
    text += (text.empty() ? "" : ";") + std::to_string(t.id) + "|" + t.name + "|" +
            std::to_string(t.artistId) + "|" + t.artistName + "|" + std::to_string(t.albumId) +
            "|" + t.albumName + "|" + t.isrc + "|" + upcText(t.upc) + "|" +
            std::to_string(t.albumMultipleArtists) + "|" + t.albumArtistName;
  }
  return text;
}

// Feeds the lines and returns the batch after finish().
RowBatch importAll(CatalogueModel& model, const std::vector<TrackLine>& lines) {
  for (const TrackLine& l : lines) model.add(l);
  model.finish();
  return model.takeBatch();
}

TEST(CatalogueModelTest, GivesIdsInOrderOfFirstAppearanceAfterTheFirstIds) {
  CatalogueModel model(FirstIds{10, 20, 30}, {});
  RowBatch batch = importAll(model, {line("k1", "First", "The Band", "S1", "", "0123", "ISRC1"),
                                     line("k1", "Other", "Nobody", "S2", "Guest", "456"),
                                     line("k2", "Second", "Guest", "S3", "The Band")});
  // The first line of an album names it; an empty track artist is the album artist.
  EXPECT_EQ(artists(batch), "10|The Band|band;11|Guest|guest");
  EXPECT_EQ(albums(batch), "20|First|10|123|1;21|Second|11|NULL|1");
  EXPECT_EQ(tracks(batch),
            "30|S1|10|The Band|20|First|ISRC1|123|1|The Band;"
            "31|S2|11|Guest|20|First||123|1|The Band;"
            "32|S3|10|The Band|21|Second||NULL|1|Guest");
  EXPECT_EQ(model.newArtists(), 2);
  EXPECT_EQ(model.albums(), 2);
  EXPECT_EQ(model.tracks(), 3);
}

TEST(CatalogueModelTest, KnownArtistsKeepTheirIdsAndAreNotCountedAgain) {
  CatalogueModel model(FirstIds{6, 1, 1}, {{"The Band", 5}});
  RowBatch batch = importAll(
      model, {line("k", "A", "The Band", "S1", ""), line("k", "A", "The Band", "S2", "the band")});
  EXPECT_EQ(artists(batch), "6|the band|band");  // names are told apart byte by byte
  EXPECT_EQ(albums(batch), "1|A|5|NULL|1");
  EXPECT_EQ(batch.artistNameCounts["The Band"].artists, 0u);
}

TEST(CatalogueModelTest, AlbumSplitOverTheFileKeepsItsIdAndGetsItsFlagCorrected) {
  CatalogueModel model(FirstIds{}, {});
  model.add(line("k1", "A", "Band", "S1", ""));
  model.add(line("k2", "B", "Band", "S2", ""));
  // A track waits until the next line shows its album has ended.
  EXPECT_EQ(model.readyTracks(), 1u);
  RowBatch first = model.takeBatch();
  model.add(line("k1", "A", "Band", "S3", "Guest"));
  model.finish();
  RowBatch second = model.takeBatch();
  EXPECT_EQ(albums(first), "1|A|1|NULL|0");
  EXPECT_EQ(artists(second), "2|Guest|guest");
  EXPECT_EQ(albums(second), "2|B|1|NULL|0");
  EXPECT_EQ(tracks(second), "2|S2|1|Band|2|B||NULL|0|Band;3|S3|2|Guest|1|A||NULL|1|Band");
  EXPECT_EQ(second.albumsNowMultipleArtists, std::vector<CatalogueId>{1});
}

struct FlagCase {
  std::string albumArtist;
  std::vector<std::string> trackArtists;
  bool multipleArtists;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
  *os << "album artist " << testing::PrintToString(c.albumArtist) << ", track artists "
      << testing::PrintToString(c.trackArtists);
}

class CatalogueModelFlagTest : public testing::TestWithParam<FlagCase> {};

TEST_P(CatalogueModelFlagTest, MultipleArtistsWhenAnyTrackHasAnother) {
  CatalogueModel model(FirstIds{}, {});
  std::vector<TrackLine> lines;
  for (const std::string& artist : GetParam().trackArtists) {
    lines.push_back(line("k", "Album", GetParam().albumArtist, "Song", artist));
  }
  RowBatch batch = importAll(model, lines);
  ASSERT_EQ(batch.albums.size(), 1u);
  EXPECT_EQ(batch.albums[0].multipleArtists, GetParam().multipleArtists);
}

INSTANTIATE_TEST_SUITE_P(Albums, CatalogueModelFlagTest,
                         testing::Values(FlagCase{"Band", {"Band", ""}, false},
                                         FlagCase{"Band", {"Band", "Band "}, true},
                                         FlagCase{"", {"", ""}, false},
                                         FlagCase{"", {"", "Band"}, true}));

struct CutCase {
  std::string name;
  size_t keptBytes;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << testing::PrintToString(c.name); }

class CatalogueModelCutTest : public testing::TestWithParam<CutCase> {};

TEST_P(CatalogueModelCutTest, CountedNameEndsOnAWholeCharacter) {
  EXPECT_EQ(countedName(GetParam().name), GetParam().name.substr(0, GetParam().keptBytes));
}

const std::string a78(78, 'a');

INSTANTIATE_TEST_SUITE_P(Names, CatalogueModelCutTest,
                         testing::Values(CutCase{a78 + "bcd", 80}, CutCase{a78 + "b\xC3\xA9", 79},
                                         CutCase{a78 + "\xE2\x82\xAC", 78},
                                         CutCase{a78 + "\xF0\x9F\x8E\xB5", 78}));

}  // namespace
