// The direct look-ups (ISRC, UPC, track, album and artist details, ids by name, the exact
// track) against the getdata fixture catalogue; those built on a switched statement run
// in every table mode.
#include "getdata/IdentifierLookups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <list>
#include <string>
#include <tuple>
#include <vector>

#include "db/Connection.h"
#include "getdata/GetdataCatalogue.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"
#include "support/TestNames.h"

namespace {

const char kUntouched[] = "<untouched>";

std::string joined(std::initializer_list<std::string> parts) {
  std::string text;
  bool first = true;
  for (const std::string& part : parts) {
    text += (first ? "" : "|") + part;
    first = false;
  }
  return text;
}

std::string recordText(const trackRecord& r) {
  return joined({r.trackId, r.artistId, r.albumId, r.trackName, r.artistName, r.albumName});
}

// The records from `first` on, sorted (the statements fix no row order), joined by ";".
template <typename Records>
std::string recordsText(const Records& records, size_t first = 0) {
  std::vector<std::string> texts;
  size_t index = 0;
  for (const trackRecord& record : records) {
    if (index++ >= first) texts.push_back(recordText(record));
  }
  std::sort(texts.begin(), texts.end());
  std::string all;
  for (const std::string& text : texts) all += (all.empty() ? "" : ";") + text;
  return all;
}

std::string idsText(const IdList& ids) {
  std::vector<int> sorted;
  for (const auto& id : ids) sorted.push_back(*id);
  std::sort(sorted.begin(), sorted.end());
  std::string text;
  for (int id : sorted) text += (text.empty() ? "" : ",") + std::to_string(id);
  return text;
}

OCRData isrcQuery(const std::string& isrc) {
  OCRData query;
  query.isrc = isrc;
  return query;
}

const std::string kHarbourTrack =
    "301|1|20|Lanterns Over The Quay|Harbour Lights Choir|Harbour Album";
const std::string kNorthernLights =
    "401|20|24|Northern Lights|Northern Echo|Greatest Hits;"
    "402|21|25|Northern Lights|Northern Echo|Greatest Hits;"
    "403|20|24|Northern Lights (Live)|Northern Echo|Greatest Hits";
const std::string kGreatestHitsTracks =
    "401|20|24|Northern Lights|Northern Echo|Greatest Hits;"
    "402|21|25|Northern Lights|Northern Echo|Greatest Hits;"
    "403|20|24|Northern Lights (Live)|Northern Echo|Greatest Hits;"
    "404|20|24|Popular Song|Northern Echo|Greatest Hits;"
    "405|4|25|Popular Song|Unknown|Greatest Hits;"
    "406|20|24|Common Song|Northern Echo|Greatest Hits";

// Look-ups of tracks, run in each table mode.
class TrackLookupsTest : public testing::TestWithParam<TableMode> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestDatabase(connection, kGetdataDatabase));
    handle = connection.getMyHandle();
    useTableMode(GetParam());
  }
  void TearDown() override { useTableMode(TableMode::kJoined); }
  Connection connection;
  MYSQL* handle = nullptr;
};

struct IsrcCase {
  const char* what;
  std::string isrc;
  int found;
  std::string tracks;
};

const IsrcCase kIsrcCases[] = {
    {"one track", "GBHLC2400301", 1, kHarbourTrack},
    {"three tracks share it: found, not counted", "GBNEC9900001", 1, kNorthernLights},
    {"no track carries it", "GBXXX0000000", 0, ""},
    {"longer than an ISRC", "GBHLC2400301X", 0, ""},
};

TEST_P(TrackLookupsTest, TracksByIsrcAreAppendedAndTheFirstIdReported) {
  for (const IsrcCase& c : kIsrcCases) {
    SCOPED_TRACE(c.what);
    OCRData query = isrcQuery(c.isrc);
    std::vector<trackRecord> tracks(1);  // what the caller held stays in front
    tracks[0].trackId = kUntouched;
    EXPECT_EQ(c.found, getTracksByISRC(handle, &query, &tracks));
    ASSERT_GE(tracks.size(), 1u);
    EXPECT_EQ(kUntouched, tracks[0].trackId);
    EXPECT_EQ(c.tracks, recordsText(tracks, 1));

    // The single-track look-up reads the same statement and stops at its first row.
    std::string trackId = kUntouched;
    EXPECT_EQ(c.found, getTrackByISRC(handle, &query, &trackId));
    EXPECT_EQ(tracks.size() > 1 ? tracks[1].trackId : kUntouched, trackId);
  }
}

TEST_P(TrackLookupsTest, AlbumTracksByUpcCarryTheCatalogueAlbumName) {
  struct {
    const char* what;
    std::string upc;
    int rows;
    std::string tracks;
  } cases[] = {
      {"written with a leading zero", "04006381333931", 1,
       "220|16|23|Quiet Song|Embor Horvust|Amber Fields"},
      {"shared by two albums", "5012345678900", 6, kGreatestHitsTracks},
      {"carried by no album", "999999999999", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::list<trackRecord> tracks(1);
    EXPECT_EQ(c.rows, getAlbumTracksByUPC(handle, c.upc, &tracks));
    EXPECT_EQ(c.tracks, recordsText(tracks, 1));
  }
}

TEST_P(TrackLookupsTest, AlbumTracksByNameCarryTheNameAsGiven) {
  std::list<trackRecord> tracks;
  // The catalogue compares names without regard to case; the records keep the caller's.
  EXPECT_EQ(1, getAlbumTracks(handle, "amber fields", &tracks));
  EXPECT_EQ("220|16|23|Quiet Song|Embor Horvust|amber fields", recordsText(tracks));

  tracks.assign(1, trackRecord());
  EXPECT_EQ(6, getAlbumTracks(handle, "Greatest Hits", &tracks));
  EXPECT_EQ(kGreatestHitsTracks, recordsText(tracks, 1));

  tracks.clear();
  EXPECT_EQ(0, getAlbumTracks(handle, "No Such Album", &tracks));
  EXPECT_TRUE(tracks.empty());
}

TEST_P(TrackLookupsTest, TrackDataFillsTheFiveOutputsOrLeavesThemAlone) {
  std::string name = kUntouched, artistId = kUntouched, artist = kUntouched,
              albumId = kUntouched, album = kUntouched;
  EXPECT_EQ(0, getTrackData(handle, "999", &name, &artistId, &artist, &albumId, &album));
  EXPECT_EQ(joined({kUntouched, kUntouched, kUntouched, kUntouched, kUntouched}),
            joined({name, artistId, artist, albumId, album}));

  EXPECT_EQ(1, getTrackData(handle, "301", &name, &artistId, &artist, &albumId, &album));
  EXPECT_EQ("Lanterns Over The Quay|1|Harbour Lights Choir|20|Harbour Album",
            joined({name, artistId, artist, albumId, album}));

  // The artist with id 0 is an artist like any other.
  EXPECT_EQ(1, getTrackData(handle, "307", &name, &artistId, &artist, &albumId, &album));
  EXPECT_EQ("Lanterns Over The Quay|0|Zero Hour|21|Zero Album",
            joined({name, artistId, artist, albumId, album}));
}

INSTANTIATE_TEST_SUITE_P(TableModes, TrackLookupsTest, testing::ValuesIn(kTableModes),
                         NameByMode());

struct ExactTrackCase {
  const char* what;
  std::string artist;
  std::string album;
  std::string title;
  int found;
  std::string trackId;  // "" when any id may be left behind
};

class ExactTrackTest : public CatalogueModeTest<ExactTrackCase> {};

// The rows come highest track id first; each is judged by its artist against the query's.
TEST_P(ExactTrackTest, TakesTheBestArtistFromSeventyOn) {
  const ExactTrackCase& c = std::get<0>(GetParam());
  SCOPED_TRACE(std::string(c.what) + " in mode " + tableModeName(std::get<1>(GetParam())));
  OCRData query;
  query.artist = c.artist;
  query.album = c.album;
  query.title = c.title;
  std::string trackId = kUntouched;
  EXPECT_EQ(c.found, get_the_track(connection.getMyHandle(), FuzzyTextCompare(), &query,
                                   &trackId));
  if (!c.trackId.empty()) {
    EXPECT_EQ(c.trackId, trackId);
  }
}

const std::string kCreekArtist = "Silver Creek Singers";

const ExactTrackCase kExactTrackCases[] = {
    {"80 then 85: the better later row wins", kCreekArtist, "Creek Sessions", "Tide Song", 1,
     "210"},
    {"85 then 80: the worse later row changes nothing", kCreekArtist, "Creek Sessions",
     "Ebb Song", 1, "213"},
    {"85 then the exact artist", kCreekArtist, "Creek Sessions", "Flood Song", 1, "214"},
    {"85 twice: the first row stays", kCreekArtist, "Creek Sessions", "Wave Song", 1, "222"},
    {"exactly 70 is enough", kCreekArtist, "Creek Sessions", "Calm Song", 1, "216"},
    {"69 is not", kCreekArtist, "Creek Sessions", "Low Song", 0, ""},
    {"through the track artist", "Silver Crook Sangers", "Creek Sessions", "Tide Song", 1,
     "210"},
    {"no such track", kCreekArtist, "Creek Sessions", "Missing Song", 0, kUntouched},
};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExactTrackTest,
    testing::Combine(testing::ValuesIn(kExactTrackCases), testing::ValuesIn(kTableModes)));

// Look-ups whose statements read the same tables in every mode.
class IdentifierLookupsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestDatabase(connection, kGetdataDatabase));
    handle = connection.getMyHandle();
  }
  Connection connection;
  MYSQL* handle = nullptr;
};

TEST_F(IdentifierLookupsTest, NullVectorsAreReportedOnStandardOutput) {
  OCRData query = isrcQuery("GBHLC2400301");
  query.upc = "123456789012";
  testing::internal::CaptureStdout();
  EXPECT_EQ(0, getTracksByISRC(handle, &query, nullptr));
  EXPECT_EQ(0, getAlbumNamesByUPC(handle, &query, nullptr));
  EXPECT_EQ(
      "getdata.getTracksByISRC: data vector is NULL\n"
      "getdata.getAlbumNamesByUPC: data vector is NULL\n",
      testing::internal::GetCapturedStdout());
}

TEST_F(IdentifierLookupsTest, ShortIsrcsSendNoStatement) {
  // 11 bytes: one short of an ISRC.
  for (const char* isrc : {"", "GBHLC240030"}) {
    SCOPED_TRACE(std::string("ISRC '") + isrc + "'");
    OCRData query = isrcQuery(isrc);
    std::vector<trackRecord> tracks;
    std::string trackId = kUntouched;
    EXPECT_EQ("", statementsSentBy([&] {
                EXPECT_EQ(0, getTracksByISRC(handle, &query, &tracks));
                EXPECT_EQ(0, getTrackByISRC(handle, &query, &trackId));
              }));
    EXPECT_TRUE(tracks.empty());
    EXPECT_EQ(kUntouched, trackId);
  }
}

TEST_F(IdentifierLookupsTest, AlbumNamesByUpcAppendIdAndNameOnly) {
  struct {
    const char* what;
    std::string upc;
    int appended;
    std::string albums;
  } cases[] = {
      {"shared by two albums", "5012345678900", 2, "||24|||Greatest Hits;||25|||Greatest Hits"},
      {"with a leading zero", "0123456789012", 1, "||20|||Harbour Album"},
      {"empty", "", 0, ""},
      {"not digits", "12345678901x", 0, ""},
      {"carried by no album", "999999999999", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OCRData query;
    query.upc = c.upc;
    std::vector<trackRecord> albums(1);
    albums[0].albumName = kUntouched;
    EXPECT_EQ(c.appended, getAlbumNamesByUPC(handle, &query, &albums));
    ASSERT_FALSE(albums.empty());
    EXPECT_EQ(kUntouched, albums[0].albumName);
    EXPECT_EQ(c.albums, recordsText(albums, 1));
  }
}

TEST_F(IdentifierLookupsTest, EmptyTrackIdsAndNonNumbersFindNothing) {
  for (const char* id : {"", "301 or 1=1"}) {
    SCOPED_TRACE(std::string("track id '") + id + "'");
    std::string name = kUntouched, artistId = kUntouched, artist = kUntouched,
                albumId = kUntouched, album = kUntouched, label = kUntouched,
                year = kUntouched;
    int length = -1;
    testing::internal::CaptureStderr();  // the empty id is reported there
    EXPECT_EQ(0, getTrackData(handle, id, &name, &artistId, &artist, &albumId, &album));
    EXPECT_EQ(0, getTrackData(handle, id, &name, &artistId, &artist, &albumId, &album, &length,
                              &label, &year));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(kUntouched, name);
    EXPECT_EQ(kUntouched, album);
    EXPECT_EQ(-1, length);
  }
}

TEST_F(IdentifierLookupsTest, FullTrackDataLeavesNullColumnsAlone) {
  std::string name = kUntouched, artistId = kUntouched, artist = kUntouched,
              albumId = kUntouched, album = kUntouched, label = kUntouched, year = kUntouched;
  int length = -1;
  EXPECT_EQ(0, getTrackData(handle, "999", &name, &artistId, &artist, &albumId, &album, &length,
                            &label, &year));
  EXPECT_EQ(joined({kUntouched, "-1", kUntouched}), joined({name, std::to_string(length), year}));

  EXPECT_EQ(1, getTrackData(handle, "301", &name, &artistId, &artist, &albumId, &album, &length,
                            &label, &year));
  EXPECT_EQ("Lanterns Over The Quay|1|Harbour Lights Choir|20|Harbour Album|215|"
            "Quayside Records|2024",
            joined({name, artistId, artist, albumId, album, std::to_string(length), label, year}));

  // Track 401 has no length, its album neither label nor year.
  label = kUntouched;
  year = kUntouched;
  length = -1;
  EXPECT_EQ(1, getTrackData(handle, "401", &name, &artistId, &artist, &albumId, &album, &length,
                            &label, &year));
  EXPECT_EQ(joined({"Northern Lights", "20", "Northern Echo", "24", "Greatest Hits", "-1",
                    kUntouched, kUntouched}),
            joined({name, artistId, artist, albumId, album, std::to_string(length), label, year}));
}

TEST_F(IdentifierLookupsTest, OneAlbumAndOneArtist) {
  std::string name = kUntouched, year = kUntouched, label = kUntouched;
  EXPECT_EQ(1, get_one_album(handle, "20", &name, &year, &label));
  EXPECT_EQ("Harbour Album|2024|Quayside Records", joined({name, year, label}));

  year = kUntouched;
  label = kUntouched;
  EXPECT_EQ(1, get_one_album(handle, "24", &name, &year, &label));
  EXPECT_EQ(joined({"Greatest Hits", kUntouched, kUntouched}), joined({name, year, label}));

  name = kUntouched;
  EXPECT_EQ(0, get_one_album(handle, "999", &name, &year, &label));
  EXPECT_EQ(0, get_one_album(handle, "20 or 1=1", &name, &year, &label));
  EXPECT_EQ(kUntouched, name);

  EXPECT_EQ(1, get_one_artist(handle, "0", &name));
  EXPECT_EQ("Zero Hour", name);
  EXPECT_EQ(1, get_one_artist(handle, "10", &name));
  EXPECT_EQ("Silver Creek Singers", name);
  name = kUntouched;
  EXPECT_EQ(0, get_one_artist(handle, "999", &name));
  EXPECT_EQ(0, get_one_artist(handle, "", &name));
  EXPECT_EQ(kUntouched, name);
}

TEST_F(IdentifierLookupsTest, NamesToIdsLeavePlaceholderArtistsOut) {
  struct {
    const char* what;
    std::function<IdList()> ids;
    std::function<bool()> exists;
    std::string expected;
  } cases[] = {
      {"artist", [&] { return getArtistIDsByName(handle, "Harbour Lights Choir"); },
       [&] { return artistExists(handle, "Harbour Lights Choir"); }, "1"},
      {"two artists of one name", [&] { return getArtistIDsByName(handle, "Northern Echo"); },
       [&] { return artistExists(handle, "Northern Echo"); }, "20,21"},
      {"artist with id 0", [&] { return getArtistIDsByName(handle, "Zero Hour"); },
       [&] { return artistExists(handle, "Zero Hour"); }, "0"},
      {"placeholder artist in the catalogue",
       [&] { return getArtistIDsByName(handle, "Various Artists"); },
       [&] { return artistExists(handle, "Various Artists"); }, ""},
      {"unknown artist", [&] { return getArtistIDsByName(handle, "Nobody Here"); },
       [&] { return artistExists(handle, "Nobody Here"); }, ""},
      {"two albums of one name", [&] { return getAlbumIDsByName(handle, "Greatest Hits"); },
       [&] { return albumExists(handle, "Greatest Hits"); }, "24,25"},
      {"album with two-byte characters",
       [&] { return getAlbumIDsByName(handle, "\xd0\x96\xd1\x91\xd0\xbb\xd1\x82\xd1\x8b\xd0\xb9 "
                                              "\xd0\xb4\xd0\xbe\xd0\xbc"); },
       [&] {
         return albumExists(handle, "\xd0\x96\xd1\x91\xd0\xbb\xd1\x82\xd1\x8b\xd0\xb9 "
                                    "\xd0\xb4\xd0\xbe\xd0\xbc");
       },
       "26"},
      {"unknown album", [&] { return getAlbumIDsByName(handle, "No Such Album"); },
       [&] { return albumExists(handle, "No Such Album"); }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.expected, idsText(c.ids()));
    EXPECT_EQ(!c.expected.empty(), c.exists());
  }
}

TEST_F(IdentifierLookupsTest, UnknownArtistIdsAsAnSqlList) {
  EXPECT_EQ(" ( 4, 5, 6 ) ", getUnknownArtistIDs(handle));

  Connection empty;
  ASSERT_TRUE(openTestDatabase(empty, kEmptyDatabase));
  EXPECT_EQ(" (  ) ", getUnknownArtistIDs(empty.getMyHandle()));

  Connection noDatabase;
  ASSERT_TRUE(openWithoutDatabase(noDatabase));
  EXPECT_EQ(" ( ) ", getUnknownArtistIDs(noDatabase.getMyHandle()));
}

struct NormalizedCase {
  const char* what;
  std::string normalized;
  std::string displayName;
};

class NormalizedArtistTest : public testing::TestWithParam<NormalizedCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestDatabase(connection, kGetdataDatabase)); }
  Connection connection;
};

TEST_P(NormalizedArtistTest, GivesTheLastNonPlaceholderDisplayName) {
  const NormalizedCase& c = GetParam();
  SCOPED_TRACE(c.what);
  EXPECT_EQ(c.displayName, normalizedArtistExists(connection.getMyHandle(), c.normalized));
}

const NormalizedCase kNormalizedCases[] = {
    {"one artist", "harbour lights choir", "Harbour Lights Choir"},
    {"two artists: the last row", "tide", "Tide"},
    {"a placeholder's row, though last, is never taken", "various", "The Various"},
    {"only a placeholder has the name", "various artists", ""},
    {"a placeholder name as asked", "Various Artists", ""},
    {"no artist", "nobody here", ""},
};

INSTANTIATE_TEST_SUITE_P(Names, NormalizedArtistTest, testing::ValuesIn(kNormalizedCases),
                         NameByWhat());

TEST(IdentifierLookupsFailureTest, StatementsThatCannotRunFindNothing) {
  Connection noDatabase;
  ASSERT_TRUE(openWithoutDatabase(noDatabase));
  MYSQL* handle = noDatabase.getMyHandle();
  std::list<trackRecord> tracks;
  EXPECT_EQ(-1, getAlbumTracksByUPC(handle, "5012345678900", &tracks));
  EXPECT_EQ(-1, getAlbumTracks(handle, "Greatest Hits", &tracks));
  EXPECT_TRUE(tracks.empty());

  OCRData query;
  query.artist = kCreekArtist;
  query.album = "Creek Sessions";
  query.title = "Tide Song";
  std::string trackId = kUntouched;
  EXPECT_EQ(0, get_the_track(handle, FuzzyTextCompare(), &query, &trackId));
  EXPECT_EQ(kUntouched, trackId);
  EXPECT_FALSE(artistExists(handle, kCreekArtist));
  EXPECT_TRUE(getAlbumIDsByName(handle, "Greatest Hits").empty());
  EXPECT_EQ("", normalizedArtistExists(handle, "tide"));
}

}  // namespace
