// Candidate artist and album names from the caches, from scans and from the narrower
// statements, scored against the query texts; read from the getdata fixture catalogue.
#include "getdata/NameCandidates.h"

#include <gtest/gtest.h>

#include <string>

#include <mysql.h>

#include "db/Connection.h"
#include "getdata/GetdataCatalogue.h"
#include "support/TestCatalogue.h"
#include "support/TestNames.h"

namespace {

const char kYellowHouse[] =
    "\xd0\x96\xd1\x91\xd0\xbb\xd1\x82\xd1\x8b\xd0\xb9 \xd0\xb4\xd0\xbe\xd0\xbc";

// The score the set holds for `name`, -1 when it holds none.
float scoreOf(const DBResultSet& set, const std::string& name) {
  dbresult_rec record;
  return set.get_record(name, &record) ? record.score : -1;
}

// The caches are process-wide: every test starts and ends without them.
class NameCandidatesTest : public testing::Test {
 protected:
  void SetUp() override {
    artistList.reset();
    albumList.reset();
    ASSERT_TRUE(openTestDatabase(connection, kGetdataDatabase));
    handle = connection.getMyHandle();
  }
  void TearDown() override {
    artistList.reset();
    albumList.reset();
  }
  Connection connection;
  MYSQL* handle = nullptr;
  FuzzyTextCompare comparer;
};

TEST_F(NameCandidatesTest, NothingBeforeTheCachesAreLoaded) {
  OCRData query;
  query.artist = "Harbour Lights Choir";
  query.album = "Harbour Album";
  DBResultSet set(100);
  EXPECT_EQ(0, getArtists(handle, comparer, &query, &set, true));
  EXPECT_EQ(0, getAlbums(handle, comparer, &query, &set, true));
  EXPECT_EQ(0, set.num_records());
}

TEST_F(NameCandidatesTest, AnEmptyCatalogueLoadsEmptyCaches) {
  Connection empty;
  ASSERT_TRUE(openTestDatabase(empty, kEmptyDatabase));
  EXPECT_EQ(0, loadArtists(empty.getMyHandle()));
  EXPECT_EQ(0, loadAlbums(empty.getMyHandle()));
  ASSERT_NE(nullptr, artistList);
  ASSERT_NE(nullptr, albumList);
  OCRData query;
  query.artist = "Harbour Lights Choir";
  DBResultSet set(100);
  EXPECT_EQ(0, getArtists(handle, comparer, &query, &set, true));
  EXPECT_EQ(0, set.num_records());
}

TEST_F(NameCandidatesTest, CachedNamesAreVisitedOnEveryCall) {
  // 20 artists, "Northern Echo" twice; 7 albums, "Greatest Hits" twice.
  EXPECT_EQ(19, loadArtists(handle));
  EXPECT_EQ(6, loadAlbums(handle));
  OCRData query;
  query.artist = "Harbour Lights Choir";
  query.album = "Harbour Album";
  // A set smaller than the caches: the count is of names visited, not kept or changed.
  DBResultSet artists(5);
  EXPECT_EQ(19, getArtists(handle, comparer, &query, &artists, false));
  EXPECT_EQ(19, getArtists(handle, comparer, &query, &artists, false));
  EXPECT_EQ(5, artists.num_records());
  EXPECT_EQ(100, scoreOf(artists, "Harbour Lights Choir"));
  DBResultSet albums(3);
  EXPECT_EQ(6, getAlbums(handle, comparer, &query, &albums, false));
  EXPECT_EQ(6, getAlbums(handle, comparer, &query, &albums, false));
  EXPECT_EQ(3, albums.num_records());
  EXPECT_EQ(100, scoreOf(albums, "Harbour Album"));
}

// Every name is scored against each given text and keeps its best score; an empty second
// text does not keep the third from counting.
TEST_F(NameCandidatesTest, NamesKeepTheirBestScoreOverTheGivenTexts) {
  ASSERT_EQ(19, loadArtists(handle));
  ASSERT_EQ(6, loadAlbums(handle));
  OCRData query;
  query.artist = "Harbour Lights Choir";
  query.artistAlt2 = "Bright Meadow";
  query.album = "Creek Sessions";
  query.albumAlt1 = "Amber Fields";
  query.albumAlt2 = kYellowHouse;
  DBResultSet artists(100);
  getArtists(handle, comparer, &query, &artists, false);
  EXPECT_EQ(100, scoreOf(artists, "Harbour Lights Choir"));
  EXPECT_EQ(100, scoreOf(artists, "Bright Meadow"));
  EXPECT_GT(100, scoreOf(artists, "Blue Lanterns"));
  DBResultSet albums(100);
  getAlbums(handle, comparer, &query, &albums, false);
  EXPECT_EQ(100, scoreOf(albums, "Creek Sessions"));
  EXPECT_EQ(100, scoreOf(albums, "Amber Fields"));
  EXPECT_EQ(100, scoreOf(albums, kYellowHouse));
  EXPECT_GT(100, scoreOf(albums, "Harbour Album"));
}

struct ScanCase {
  const char* what;
  std::string artist, artistAlt1, artistAlt2;
  std::string album, albumAlt1, albumAlt2;
};

class NameScanTest : public NameCandidatesTest, public testing::WithParamInterface<ScanCase> {};

// The caches and the scans of the catalogue read the same names, so they must offer the
// same candidates with the same scores; the scans count every row, repeated names too.
TEST_P(NameScanTest, CachesAndScansOfferTheSameCandidates) {
  const ScanCase& c = GetParam();
  SCOPED_TRACE(c.what);
  OCRData query;
  query.artist = c.artist;
  query.artistAlt1 = c.artistAlt1;
  query.artistAlt2 = c.artistAlt2;
  query.album = c.album;
  query.albumAlt1 = c.albumAlt1;
  query.albumAlt2 = c.albumAlt2;
  ASSERT_EQ(19, loadArtists(handle));
  ASSERT_EQ(6, loadAlbums(handle));

  DBResultSet cached(100), scanned(100);
  EXPECT_EQ(19, getArtists(handle, comparer, &query, &cached, false));
  EXPECT_EQ(20, getArtistsHeap(handle, comparer, &query, &scanned, false));
  EXPECT_EQ(scoresOf(cached), scoresOf(scanned));

  DBResultSet cachedAlbums(100), scannedAlbums(100);
  EXPECT_EQ(6, getAlbums(handle, comparer, &query, &cachedAlbums, true));
  EXPECT_EQ(7, getAlbumsHeap(handle, comparer, &query, &scannedAlbums, true));
  EXPECT_EQ(scoresOf(cachedAlbums), scoresOf(scannedAlbums));
}

const ScanCase kScanCases[] = {
    {"one text each", "Harbour Lights Choir", "", "", "Harbour Album", "", ""},
    {"three texts each", "Silver Creek Singers", "Northern Echo", "Tide", "Greatest Hits",
     "Zero Album", kYellowHouse},
    {"garbled texts", "Slvr Crk Sngrs", "", "Nrthrn Ech", "Grtst Hts", "Hrbr Albm", ""},
};

INSTANTIATE_TEST_SUITE_P(Queries, NameScanTest, testing::ValuesIn(kScanCases), NameByWhat());

struct AlbumScanCase {
  const char* what;
  std::string album, albumAlt1, albumAlt2;
  bool fullScan;
  int rows;
  int names;
};

class AlbumScanTest : public NameCandidatesTest,
                      public testing::WithParamInterface<AlbumScanCase> {};

TEST_P(AlbumScanTest, ScansAlbumsStartingLikeTheQueryUnlessToldOtherwise) {
  const AlbumScanCase& c = GetParam();
  SCOPED_TRACE(c.what);
  OCRData query;
  query.album = c.album;
  query.albumAlt1 = c.albumAlt1;
  query.albumAlt2 = c.albumAlt2;
  DBResultSet set(100);
  EXPECT_EQ(c.rows, getAlbumsHeap(handle, comparer, &query, &set, c.fullScan));
  EXPECT_EQ(c.names, set.num_records());
  EXPECT_EQ(100, scoreOf(set, c.album));
}

const AlbumScanCase kAlbumScanCases[] = {
    {"first letter", "Greatest Hits", "", "", false, 2, 1},
    {"first character of two bytes", kYellowHouse, "", "", false, 1, 1},
    {"full scan asked for", "Greatest Hits", "", "", true, 7, 6},
    {"a second album text may start otherwise", "Greatest Hits", "Harbour Album", "", false, 7,
     6},
    {"a third text alone does not widen the scan", "Greatest Hits", "", "Harbour Album", false, 2,
     1},
};

INSTANTIATE_TEST_SUITE_P(Queries, AlbumScanTest, testing::ValuesIn(kAlbumScanCases),
                         NameByWhat());

TEST_F(NameCandidatesTest, FullTextSearchOffersEachMatchingNameOnce) {
  OCRData query;
  query.artist = "Silver Singers";
  DBResultSet set(100);
  EXPECT_EQ(4, getFullTextArtist(handle, comparer, &query, &set));
  EXPECT_EQ(4, set.num_records());
  for (const char* name : {"Silver Creek Singers", "Silver Crook Sangers", "Silver Crook Sangars",
                           "Silvar Croek Singers Group"}) {
    SCOPED_TRACE(name);
    EXPECT_LE(0, scoreOf(set, name));
  }

  // Two artists of one name: one row, one candidate, scored by the best text.
  DBResultSet northern(100);
  query.artist = "Northern";
  query.artistAlt2 = "Northern Echo";
  EXPECT_EQ(1, getFullTextArtist(handle, comparer, &query, &northern));
  EXPECT_EQ("Northern Echo=100", scoresOf(northern));
}

TEST_F(NameCandidatesTest, FirstLetterOffersOnlyNamesStartingWithIt) {
  OCRData query;
  query.artist = "Blue Lanterns";
  DBResultSet set(100);
  EXPECT_EQ(2, getArtistsByFirstLetter(handle, comparer, &query, &set, "B"));
  EXPECT_EQ(2, set.num_records());
  EXPECT_EQ(100, scoreOf(set, "Blue Lanterns"));
  EXPECT_LE(0, scoreOf(set, "Bright Meadow"));
}

// Creek Sessions holds the album artist and track artists scoring 85 (two), 80, 70 and 69
// against it, and a placeholder artist. Only the first artist text counts.
TEST_F(NameCandidatesTest, AlbumArtistsFromSeventyOnAgainstTheFirstArtistText) {
  OCRData query;
  query.album = "Creek Sessions";
  query.artist = "Silver Creek Singers";
  query.artistAlt1 = "Silvar Croek Singers Group";
  query.artistAlt2 = "Unknown";
  DBResultSet set(100);
  EXPECT_EQ(6, getArtistsFromAlbum(handle, comparer, &query, &set));
  EXPECT_EQ(
      "Silver Creek Singers=100; Silver Crook Sangars=80; Silver Crook Sangers=85; "
      "Sulvar Croak Sungars=70; Sulver Creak Singars=85",
      scoresOf(set));

  DBResultSet none(100);
  query.album = "No Such Album";
  EXPECT_EQ(0, getArtistsFromAlbum(handle, comparer, &query, &none));
  EXPECT_EQ(0, none.num_records());
}

TEST_F(NameCandidatesTest, StatementsThatCannotRunOfferNothing) {
  Connection noDatabase;
  ASSERT_TRUE(openWithoutDatabase(noDatabase));
  MYSQL* failing = noDatabase.getMyHandle();
  OCRData query;
  query.artist = "Silver Creek Singers";
  query.album = "Creek Sessions";
  DBResultSet set(100);
  EXPECT_EQ(0, loadArtists(failing));
  EXPECT_EQ(0, getArtistsHeap(failing, comparer, &query, &set, true));
  EXPECT_EQ(0, getAlbumsHeap(failing, comparer, &query, &set, false));
  EXPECT_EQ(0, getFullTextArtist(failing, comparer, &query, &set));
  EXPECT_EQ(0, getArtistsByFirstLetter(failing, comparer, &query, &set, "S"));
  EXPECT_EQ(0, getArtistsFromAlbum(failing, comparer, &query, &set));
  EXPECT_EQ(0, set.num_records());
}

}  // namespace
