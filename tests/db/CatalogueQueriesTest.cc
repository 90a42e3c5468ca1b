// The album, artist and name-count statements against the fixture catalogue.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/Connection.h"
#include "db/NameCountQueries.h"
#include "db/Query.h"
#include "support/TestCatalogue.h"
#include "support/TestNames.h"

namespace {

struct RowsCase {
  const char* what;
  std::function<bool(MYSQL*)> send;
  std::string rows;  // sorted
};

class CatalogueQueriesTest : public testing::TestWithParam<RowsCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestConnection(connection)); }
  Connection connection;
};

TEST_P(CatalogueQueriesTest, ReturnsTheCatalogueRows) {
  const RowsCase& c = GetParam();
  SCOPED_TRACE(c.what);
  ASSERT_TRUE(c.send(connection.getMyHandle()));
  EXPECT_EQ(pendingRows(connection.getMyHandle(), true), c.rows);
}

const std::string kAllAlbums =
    "Abbey Road;Appetite for Destruction;Homogenic;Now That's What I Call Music;"
    "Strings \xf0\x9f\x8e\xb8;Various Only";
const std::string kAllArtists =
    "Bj\xc3\xb6rk;Emoji \xf0\x9f\x8e\xb8 Band;Guns N' Roses;The Beatles;Unknown;Various Artists";

INSTANTIATE_TEST_SUITE_P(
    Statements, CatalogueQueriesTest,
    testing::Values(
        RowsCase{"albums by UPC", [](MYSQL* h) { return selectAlbumsByUPC(h, "77774644624"); },
                 "10|Abbey Road|1969|UPC"},
        RowsCase{"album by id", [](MYSQL* h) { return selectAlbumByID(h, "11"); },
                 "Homogenic|1997|One Little Indian"},
        RowsCase{"album ids by name",
                 [](MYSQL* h) { return selectAlbumIDsByName(h, "Now That's What I Call Music"); },
                 "13"},
        RowsCase{"distinct albums", [](MYSQL* h) { return selectDistinctAlbums(h); }, kAllAlbums},
        RowsCase{"all albums", [](MYSQL* h) { return selectAllAlbums(h); }, kAllAlbums},
        RowsCase{"albums by first letter",
                 [](MYSQL* h) { return selectAlbumsByFirstChar(h, "A"); },
                 "Abbey Road;Appetite for Destruction"},
        RowsCase{"albums by a wildcard first letter",
                 [](MYSQL* h) { return selectAlbumsByFirstChar(h, "%"); }, kAllAlbums},
        RowsCase{"artist by id", [](MYSQL* h) { return selectArtistByID(h, "3"); },
                 "Guns N' Roses"},
        RowsCase{"distinct artists", [](MYSQL* h) { return selectDistinctArtists(h); },
                 kAllArtists},
        RowsCase{"all artists", [](MYSQL* h) { return selectAllArtists(h); }, kAllArtists},
        RowsCase{"artists by first letter",
                 [](MYSQL* h) { return selectArtistsByFirstChar(h, "B"); }, "Bj\xc3\xb6rk"},
        RowsCase{"artists by full text",
                 [](MYSQL* h) { return selectArtistsByFullText(h, "beatles"); }, "The Beatles"},
        RowsCase{"artists of a compilation",
                 [](MYSQL* h) { return selectArtistsByAlbum(h, "Now That's What I Call Music"); },
                 "Bj\xc3\xb6rk;The Beatles"},
        RowsCase{"artists of an album by placeholders only",
                 [](MYSQL* h) { return selectArtistsByAlbum(h, "Various Only"); }, ""},
        RowsCase{"placeholder artist ids", [](MYSQL* h) { return selectUnknownArtistIDs(h); },
                 "4;5"},
        RowsCase{"artist by normalized name",
                 [](MYSQL* h) { return selectArtistIDsByNormalizedName(h, "beatles"); },
                 "The Beatles"},
        RowsCase{"placeholder kept out by display name",
                 [](MYSQL* h) { return selectArtistIDsByNormalizedName(h, "unknown"); }, ""},
        RowsCase{"placeholder normalized name never sent",
                 [](MYSQL* h) { return selectArtistIDsByNormalizedName(h, "Unknown"); }, ""},
        RowsCase{"artist ids by name",
                 [](MYSQL* h) { return selectArtistIDsByName(h, "Guns N' Roses"); }, "3"},
        RowsCase{"placeholder name never sent",
                 [](MYSQL* h) { return selectArtistIDsByName(h, "Various Artists"); }, ""},
        RowsCase{"track count", [](MYSQL* h) { return selectTrackCounterByName(h, "J\xc3\xb3ga"); },
                 "2"},
        RowsCase{"track count of a name cut to 80 bytes",
                 [](MYSQL* h) { return selectTrackCounterByName(h, std::string(100, 'L')); }, "3"},
        RowsCase{"album track count",
                 [](MYSQL* h) {
                   return selectTrackCounterByAlbumName(h, "Now That's What I Call Music");
                 },
                 "2"},
        RowsCase{"artist track count",
                 [](MYSQL* h) { return selectTrackCounterByArtistName(h, "The Beatles"); }, "4"},
        RowsCase{"artist count",
                 [](MYSQL* h) { return selectArtistCounterByName(h, "The Beatles"); }, "1"}),
    NameByWhat());

struct UnknownCase {
  const char* name;
  bool unknown;
};

class IsUnknownTest : public testing::TestWithParam<UnknownCase> {};

TEST_P(IsUnknownTest, MatchesThePlaceholderNamesExactly) {
  SCOPED_TRACE(GetParam().name);
  EXPECT_EQ(isUnknown(GetParam().name), GetParam().unknown);
}

INSTANTIATE_TEST_SUITE_P(Names, IsUnknownTest,
                         testing::Values(UnknownCase{"Unknown", true},
                                         UnknownCase{"Unknown Artist", true},
                                         UnknownCase{"Unknown Artists", true},
                                         UnknownCase{"Various", true},
                                         UnknownCase{"Various Artists", true},
                                         UnknownCase{"various artists", false},
                                         UnknownCase{"Various Artist", false},
                                         UnknownCase{"", false}, UnknownCase{"Abba", false},
                                         UnknownCase{"Unknown', 'Various", false}));

class CatalogueQueryTextTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestConnection(connection)); }
  void TearDown() override { setDebugQueries(false); }

  std::string sent(const std::function<bool(MYSQL*)>& send, bool* accepted) {
    setDebugQueries(true);
    testing::internal::CaptureStderr();
    *accepted = send(connection.getMyHandle());
    std::string log = testing::internal::GetCapturedStderr();
    setDebugQueries(false);
    if (*accepted) pendingRows(connection.getMyHandle());
    return log;
  }
  Connection connection;
};

TEST_F(CatalogueQueryTextTest, HostileUpcsNeverReachTheServer) {
  for (const std::string& upc :
       {std::string("1 or 1=1"), std::string("77774644624; drop table albums"), std::string(""),
        std::string("-1"), std::string("1e3"), std::string(" 77774644624"),
        std::string(21, '7'), std::string("7\0" "1", 3), std::string("\xef\xbc\x91")}) {
    SCOPED_TRACE(upc);
    bool accepted = true;
    EXPECT_EQ(sent([&](MYSQL* h) { return selectAlbumsByUPC(h, upc); }, &accepted), "");
    EXPECT_FALSE(accepted);
  }
  bool accepted = false;
  sent([](MYSQL* h) { return selectAlbumsByUPC(h, std::string(20, '9')); }, &accepted);
  EXPECT_TRUE(accepted);
}

TEST_F(CatalogueQueryTextTest, PlaceholderArtistSendsTheEmptyStatement) {
  bool accepted = false;
  EXPECT_EQ(sent([](MYSQL* h) { return selectArtistIDsByName(h, "Unknown"); }, &accepted),
            "Query::selectArtistIDsByName, query is:\n"
            "select id from matchartists where false\n");
  EXPECT_TRUE(accepted);
}

TEST_F(CatalogueQueryTextTest, NameCountsSendTheFirst80Bytes) {
  bool accepted = false;
  std::string log =
      sent([](MYSQL* h) { return selectTrackCounterByName(h, std::string(100, 'x')); }, &accepted);
  EXPECT_NE(log.find("track_name = '" + std::string(80, 'x') + "'\n"), std::string::npos) << log;
}

TEST_F(CatalogueQueryTextTest, WholeListsKeepTheirTwoBlanks) {
  bool accepted = false;
  EXPECT_EQ(sent([](MYSQL* h) { return selectAllArtists(h); }, &accepted),
            "Query::selectAllArtists, query is:\nselect display_name from  matchartists \n");
  EXPECT_EQ(sent([](MYSQL* h) { return selectAllAlbums(h); }, &accepted),
            "Query::selectAllAlbums, query is:\nSELECT name FROM  matchalbums \n");
}

}  // namespace
