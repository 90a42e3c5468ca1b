// Candidate tracks of the candidate artists and albums, and of one exact title, scored and
// offered to the track set; every case runs in each table mode. The titles of Harbour
// Album score 100 (301, 305, 307), 90 (302), 40 (303), 41 (304) and 50 (306) against
// "Lanterns Over The Quay"; 305 is by a placeholder artist, 307 by the artist with id 0.
#include "getdata/TrackCandidates.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "db/Connection.h"
#include "getdata/GetdataCatalogue.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"

namespace {

using Entries = std::vector<std::pair<std::string, float>>;

DBResultSet setOf(const Entries& entries) {
  DBResultSet set(100);
  for (const auto& entry : entries) set.add_record(entry.second, entry.first);
  return set;
}

const std::string kTitle = "Lanterns Over The Quay";
const std::string kChoir = "Harbour Lights Choir";
const std::string kAlbum = "Harbour Album";

struct GetTracksCase {
  const char* what;
  Entries artists;
  Entries albums;
  int rows;
  std::string scores;  // track id=score, sorted
  bool unknownArtist = false;
  int boostPercent = 0;
  int boostThreshold = 0;
  std::string artist = kChoir;
  std::string artistAlt2 = "";
  std::string album = kAlbum;
  std::string albumAlt2 = "";
};

class GetTracksTest : public CatalogueModeTest<GetTracksCase> {};

TEST_P(GetTracksTest, ScoresTheTracksOfEveryCandidate) {
  const GetTracksCase& c = std::get<0>(GetParam());
  SCOPED_TRACE(std::string(c.what) + " in mode " + tableModeName(std::get<1>(GetParam())));
  OCRData query;
  query.title = kTitle;
  query.artist = c.artist;
  query.artistAlt2 = c.artistAlt2;
  query.album = c.album;
  query.albumAlt2 = c.albumAlt2;
  query.unknownArtist = c.unknownArtist;
  DBResultSet tracks(100);
  DBResultSet artists = setOf(c.artists);
  DBResultSet albums = setOf(c.albums);
  EXPECT_EQ(c.rows, getTracks(connection.getMyHandle(), FuzzyTextCompare(), &query, tracks,
                              artists, albums, c.boostPercent, c.boostThreshold));
  EXPECT_EQ(c.scores, scoresOf(tracks));
}

// Known artist: 0.4 title + 0.15 album + 0.45 artist; titles below 41 count 0. Unknown
// artist: 0.6 title + 0.2 album. Offered from 41 on.
const GetTracksCase kGetTracksCases[] = {
    {"artist pass with the entry's score",
     {{kChoir, 90}}, {}, 5, "301=95.5; 302=91.5; 303=55.5; 304=71.9; 306=75.5"},
    {"artist pass: album compared with the third album text",
     {{kChoir, 90}}, {}, 5, "301=95.5; 302=91.5; 303=55.5; 304=71.9; 306=75.5",
     false, 0, 0, kChoir, "", "Completely Wrong", kAlbum},
    {"unknown artist: title and album only",
     {{kChoir, 90}}, {}, 5, "301=80; 302=74; 304=44.6; 306=50", true},
    {"boost 7 from 75 raises 80 but not 74",
     {{kChoir, 90}}, {}, 5, "301=81.4; 302=74; 304=44.6; 306=50", true, 7, 75},
    {"boost from exactly the score",
     {{kChoir, 90}}, {}, 5, "301=81.4; 302=74; 304=44.6; 306=50", true, 7, 80},
    {"no boost for the artist with id 0",
     {{"Zero Hour", 100}}, {}, 1, "307=80", true, 7, 75, kChoir, "", "Zero Album"},
    {"a placeholder artist entry has no tracks",
     {{"Various Artists", 100}}, {}, 0, ""},
    {"album score held by the album set, in both passes",
     {{kChoir, 90}}, {{kAlbum, 40}}, 11,
     "301=86.5; 302=82.5; 303=46.5; 304=62.9; 305=68; 306=66.5"},
    {"album pass: artist compared with the third artist text",
     {}, {{kAlbum, 100}}, 6, "301=100; 302=96; 303=60; 304=76.4; 305=80; 306=80",
     false, 0, 0, "Nobody", kChoir},
    {"album pass: artist score held by the artist set",
     {{kChoir, 50}}, {{kAlbum, 100}}, 11, "301=77.5; 302=73.5; 304=53.9; 305=80; 306=57.5"},
    {"41 is offered",
     {{kChoir, 20}}, {{kAlbum, 80}}, 11, "301=61; 302=57; 305=76; 306=41"},
    {"40 is not",
     {{kChoir, 0}}, {{kAlbum, 0}}, 11, "305=60"},
    {"candidates missing from the catalogue",
     {{"Nobody Here", 100}}, {{"No Such Album", 100}}, 0, ""},
};

INSTANTIATE_TEST_SUITE_P(
    Cases, GetTracksTest,
    testing::Combine(testing::ValuesIn(kGetTracksCases), testing::ValuesIn(kTableModes)));

struct ByNameCase {
  const char* what;
  std::string name;
  std::string artist;
  std::string album;
  Entries artists;
  Entries albums;
  int rows;
  std::string scores;
};

class GetTracksByNameTest : public CatalogueModeTest<ByNameCase> {};

// 404 is by Northern Echo on Greatest Hits, 405 by a placeholder artist on the other
// Greatest Hits; the catalogue counts 500 tracks named "Popular Song", 501 "Common Song".
TEST_P(GetTracksByNameTest, ScoresEachTrackOfTheTitleByAlbumAndArtist) {
  const ByNameCase& c = std::get<0>(GetParam());
  SCOPED_TRACE(std::string(c.what) + " in mode " + tableModeName(std::get<1>(GetParam())));
  OCRData query;
  query.title = c.name;
  query.artist = c.artist;
  query.album = c.album;
  DBResultSet tracks(100);
  DBResultSet artists = setOf(c.artists);
  DBResultSet albums = setOf(c.albums);
  EXPECT_EQ(c.rows, getTracksByName(connection.getMyHandle(), FuzzyTextCompare(), &query,
                                    tracks, artists, albums, 7, 0, c.name));
  EXPECT_EQ(c.scores, scoresOf(tracks));
}

const ByNameCase kByNameCases[] = {
    {"500 carriers are looked up: album and artist exact", "Popular Song", "Northern Echo",
     "Greatest Hits", {}, {}, 2, "404=100; 405=80"},
    {"album and artist unknown", "Popular Song", "", "", {}, {}, 2, "404=40; 405=60"},
    {"scores held by the sets", "Popular Song", "", "", {{"Northern Echo", 50}},
     {{"Greatest Hits", 60}}, 2, "404=70.5; 405=72"},
    {"501 carriers are too many", "Common Song", "Northern Echo", "Greatest Hits", {}, {},
     0, ""},
    {"no such title", "Missing Song", "Northern Echo", "Greatest Hits", {}, {}, 0, ""},
};

INSTANTIATE_TEST_SUITE_P(
    Cases, GetTracksByNameTest,
    testing::Combine(testing::ValuesIn(kByNameCases), testing::ValuesIn(kTableModes)));

class TrackCandidatesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestDatabase(connection, kGetdataDatabase)); }
  Connection connection;
};

TEST_F(TrackCandidatesTest, NoCandidatesSendNoStatement) {
  OCRData query;
  query.title = kTitle;
  query.artist = kChoir;
  DBResultSet tracks(100), artists(100), albums(100);
  int rows = -1;
  EXPECT_EQ("", statementsSentBy([&] {
              rows = getTracks(connection.getMyHandle(), FuzzyTextCompare(), &query, tracks,
                               artists, albums, 7, 75);
            }));
  EXPECT_EQ(0, rows);
  EXPECT_EQ(0, tracks.num_records());
}

TEST_F(TrackCandidatesTest, TrackCounterByName) {
  MYSQL* handle = connection.getMyHandle();
  EXPECT_EQ(500, getTrackCounterByName(handle, "Popular Song"));
  EXPECT_EQ(501, getTrackCounterByName(handle, "Common Song"));
  EXPECT_EQ(3, getTrackCounterByName(handle, kTitle));
  EXPECT_EQ(0, getTrackCounterByName(handle, "Missing Song"));
}

TEST_F(TrackCandidatesTest, StatementsThatCannotRunOfferNothing) {
  Connection noDatabase;
  ASSERT_TRUE(openWithoutDatabase(noDatabase));
  MYSQL* failing = noDatabase.getMyHandle();
  OCRData query;
  query.title = kTitle;
  query.artist = kChoir;
  query.album = kAlbum;
  DBResultSet tracks(100);
  DBResultSet artists = setOf({{kChoir, 100}});
  DBResultSet albums = setOf({{kAlbum, 100}});
  EXPECT_EQ(0, getTracks(failing, FuzzyTextCompare(), &query, tracks, artists, albums, 0, 0));
  EXPECT_EQ(0, getTracksByName(failing, FuzzyTextCompare(), &query, tracks, artists, albums, 0,
                               0, kTitle));
  EXPECT_EQ(0, getTrackCounterByName(failing, kTitle));
  EXPECT_EQ(0, tracks.num_records());
}

}  // namespace
