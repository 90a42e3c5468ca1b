// The identifier look-ups (ISRC, UPC) and the details of a found track, against the engine
// catalogue. An ISRC hit scores 25 + 0.75 * (0.4 title + 0.15 album + 0.45 artist).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EngineFixture.h"
#include "support/TestNames.h"

namespace {

const char kUntouched[] = "untouched";

struct IsrcCase {
  const char* what;
  const char* isrc;
  const char* title;
  const char* artist;
  const char* album;
  float score;
  const char* id;
};

class IsrcTest : public EngineTest, public testing::WithParamInterface<IsrcCase> {};

const IsrcCase kIsrcCases[] = {
    {"all texts match", "QZHL10000001", "Tidewater", "Marlow Quay", "Harbour Lights", 100, "1001"},
    {"no text matches", "QZHL10000001", "Zzzz", "Jjj", "Xyxyx", 25, "1001"},
    // Album 7: 25 + 0.75 * (40 + 1.05 + 45).
    {"other album", "QZHL10000001", "Tidewater", "Marlow Quay", "Quiet Harbour", 89.5375f, "1001"},
    {"equal scores keep the first", "QZSH24000001", "Ferry Bell", "Marlow Quay", "Ferry Bells", 100,
     "1401"},
    {"a better later record wins", "QZSH24000005", "Dune Lights", "Harriet Vance", "Paper Rooms",
     100, "1404"},
    {"13 bytes are looked up", "QZSH240000021", "Last Tram", "Velvet Hours", "Night Trains", 100,
     "1008"},
    {"11 bytes are not", "QZSH2400003", "Paper Moons", "Harriet Vance", "Paper Rooms", 0,
     kUntouched},
    {"unknown ISRC", "QZZZ99999999", "Tidewater", "Marlow Quay", "Harbour Lights", 0, kUntouched},
};

TEST_P(IsrcTest, BestRecordOfTheIsrc) {
  const IsrcCase& c = GetParam();
  SCOPED_TRACE(std::string(c.isrc) + ": " + c.title + " / " + c.artist + " / " + c.album);
  auto engine = makeEngine();
  OCRData query = makeQuery(c.title, c.artist, c.album);
  query.isrc = c.isrc;
  std::string result = kUntouched;
  EXPECT_FLOAT_EQ(engine->findTrackByISRC(query, &result), c.score);
  EXPECT_EQ(result, c.id);
}

INSTANTIATE_TEST_SUITE_P(Records, IsrcTest, testing::ValuesIn(kIsrcCases), NameByWhat());

struct UpcCase {
  const char* what;
  const char* upc;
  const char* album;
  const char* name;  // "" when no album is accepted
  const char* albumId;
};

class UpcTest : public EngineTest, public testing::WithParamInterface<UpcCase> {};

const UpcCase kUpcCases[] = {
    {"exact name", "700000000017", "Harbour Lights", "Harbour Lights", "501"},
    {"similarity 70 accepted", "700000000048", "Colt Stare", "Cold Shore", "515"},
    {"similarity 69 refused", "700000000048", "Cold Sweater", "", kUntouched},
    // 505 and 506 are both named Glass Country: the earlier row is kept.
    {"equal names keep the earlier", "700000000031", "Glass Country", "Glass Country", "505"},
    // 92 against Glass Country, 76 against Glass Country (Demos).
    {"closest name", "700000000031", "Glass Countr", "Glass Country", "505"},
    {"later but closer", "700000000031", "Glass Country (Demos)", "Glass Country (Demos)", "507"},
    {"unknown UPC", "700000000099", "Harbour Lights", "", kUntouched},
};

TEST_P(UpcTest, AlbumNameOfTheUpc) {
  const UpcCase& c = GetParam();
  SCOPED_TRACE(std::string(c.upc) + ": " + c.album);
  auto engine = makeEngine();
  OCRData query = makeQuery("Tidewater", "Marlow Quay", c.album);
  query.upc = c.upc;
  query.albumId = kUntouched;
  query.albumName = kUntouched;
  EXPECT_EQ(engine->findAlbumNameByUPC(&query), c.name);
  EXPECT_EQ(query.albumId, c.albumId);
  EXPECT_EQ(query.albumName, *c.name != '\0' ? c.name : kUntouched);
  EXPECT_EQ(query.album, c.album);
}

INSTANTIATE_TEST_SUITE_P(Albums, UpcTest, testing::ValuesIn(kUpcCases), NameByWhat());

class TrackInfoTest : public EngineTest {};

TEST_F(TrackInfoTest, FillsNamesAndIds) {
  auto engine = makeEngine();
  std::string track, artistId, artist, albumId, album;
  ASSERT_TRUE(engine->fillTrackInfo("1003", track, artistId, artist, albumId, album));
  EXPECT_EQ(track, "Gull Song");
  EXPECT_EQ(artistId, "2");
  EXPECT_EQ(artist, "Harriet Vance");  // the display name, not "Vance, Harriet"
  EXPECT_EQ(albumId, "501");
  EXPECT_EQ(album, "Harbour Lights");

  int length = 0, unused = 0;
  std::string label, year;
  ASSERT_TRUE(engine->fillTrackInfo("1001", track, artistId, artist, albumId, album, length, label,
                                    year, unused));
  EXPECT_EQ(track, "Tidewater");
  EXPECT_EQ(artist, "Marlow Quay");
  EXPECT_EQ(length, 241);
  EXPECT_EQ(label, "Quayside");
  EXPECT_EQ(year, "2019");
}

TEST_F(TrackInfoTest, UnknownTrackLeavesTheOutputs) {
  auto engine = makeEngine();
  std::string track = "t", artistId = "ai", artist = "a", albumId = "li", album = "l";
  EXPECT_FALSE(engine->fillTrackInfo("999999", track, artistId, artist, albumId, album));
  int length = 7, unused = 0;
  std::string label = "b", year = "y";
  EXPECT_FALSE(engine->fillTrackInfo("999999", track, artistId, artist, albumId, album, length,
                                     label, year, unused));
  using Texts = std::vector<std::string>;
  EXPECT_EQ((Texts{track, artistId, artist, albumId, album, label, year}),
            (Texts{"t", "ai", "a", "li", "l", "b", "y"}));
  EXPECT_EQ(length, 7);
}

TEST_F(TrackInfoTest, AlbumScoreOfTheSameName) {
  auto engine = makeEngine();
  EXPECT_EQ(engine->calcAlbumScore("Harbour Lights", "Harbour Lights"), 100);
  EXPECT_EQ(engine->calcAlbumScore("Harbour Lights", "Quiet Harbour"), 7);
}

}  // namespace
