#include "db/TrackQueries.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "db/Connection.h"
#include "db/Query.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"

namespace {

IdList idList(std::initializer_list<int> ids) {
  IdList list;
  for (int id : ids) list.push_back(std::make_unique<int>(id));
  return list;
}

const std::string kThe = "The Beatles";
const std::string kNow = "Now That's What I Call Music";

struct TrackCase {
  const char* what;
  std::function<bool(MYSQL*)> send;
  std::string joinedRows;
  std::string tripletsRows;  // the same rows read from either triplets table
  bool ordered = false;      // the statement fixes the row order
};

class TrackQueriesTest : public testing::TestWithParam<std::tuple<TrackCase, TableMode>> {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestConnection(connection)); }
  void TearDown() override { useTableMode(TableMode::kJoined); }
  Connection connection;
};

TEST_P(TrackQueriesTest, ReturnsTheCatalogueRows) {
  const TrackCase& c = std::get<0>(GetParam());
  TableMode mode = std::get<1>(GetParam());
  SCOPED_TRACE(std::string(c.what) + " in mode " + tableModeName(mode));
  useTableMode(mode);
  MYSQL* handle = connection.getMyHandle();
  ASSERT_TRUE(c.send(handle));
  EXPECT_EQ(pendingRows(handle, !c.ordered),
            mode == TableMode::kJoined ? c.joinedRows : c.tripletsRows);
}

const TrackCase kTrackCases[] = {
    {"tracks by ISRC", [](MYSQL* h) { return selectTracksByISRC(h, "GBAYE0601690"); },
     "100|1|10|Come Together|The Beatles|Abbey Road",
     "100|1|10|Come Together|The Beatles|Abbey Road"},
    {"tracks by ISRC without match rows",
     [](MYSQL* h) { return selectTracksByISRC(h, "ORPHAN000001"); }, "109|99|98|Orphan|NULL|NULL",
     ""},
    {"track by name", [](MYSQL* h) { return selectTrackByName(h, "J\xc3\xb3ga"); },
     "102|J\xc3\xb3ga|Homogenic|Bj\xc3\xb6rk;105|J\xc3\xb3ga|" + kNow + "|Bj\xc3\xb6rk",
     "102|J\xc3\xb3ga|Homogenic|Bj\xc3\xb6rk;105|J\xc3\xb3ga|" + kNow + "|Bj\xc3\xb6rk"},
    {"track by name with a quote",
     [](MYSQL* h) { return selectTrackByName(h, "Sweet Child O' Mine"); },
     "103|Sweet Child O' Mine|Appetite for Destruction|Guns N' Roses",
     "103|Sweet Child O' Mine|Appetite for Destruction|Guns N' Roses"},
    {"track by name with a backslash and double quotes",
     [](MYSQL* h) { return selectTrackByName(h, "Back\\slash \"Quoted\""); },
     "108|Back\\slash \"Quoted\"|Appetite for Destruction|Guns N' Roses",
     "108|Back\\slash \"Quoted\"|Appetite for Destruction|Guns N' Roses"},
    {"exact track, highest id first",
     [](MYSQL* h) { return selectExactTrack(h, kThe, "Abbey Road", "Something"); },
     "107|The Beatles;101|The Beatles", "107|The Beatles;101|The Beatles", true},
    {"exact track through the album artist",
     [](MYSQL* h) { return selectExactTrack(h, kThe, "Abbey Road", "Guest Spot"); },
     "110|Bj\xc3\xb6rk", "110|Bj\xc3\xb6rk", true},
    {"exact track not through a compilation's artist",
     [](MYSQL* h) { return selectExactTrack(h, "Various Artists", kNow, "Come Together"); }, "",
     "", true},
    {"exact track with four-byte characters",
     [](MYSQL* h) {
       return selectExactTrack(h, "Emoji \xf0\x9f\x8e\xb8 Band", "Strings \xf0\x9f\x8e\xb8",
                               "Riff \xf0\x9f\x8e\xb8");
     },
     "106|Emoji \xf0\x9f\x8e\xb8 Band", "106|Emoji \xf0\x9f\x8e\xb8 Band", true},
    {"minimal track", [](MYSQL* h) { return selectMinimalTrackByID(h, "102"); },
     "J\xc3\xb3ga|2|Bj\xc3\xb6rk|11|Homogenic", "J\xc3\xb3ga|2|Bj\xc3\xb6rk|11|Homogenic"},
    {"track with length, label and year", [](MYSQL* h) { return selectTrackByID(h, "100"); },
     "Come Together|1|The Beatles|10|Abbey Road|259|Apple|1969",
     "Come Together|1|The Beatles|10|Abbey Road|259|Apple|1969"},
    {"tracks of albums",
     [](MYSQL* h) {
       IdList ids = idList({11, 14});
       return selectTracksByAlbumIDs(h, &ids);
     },
     "102|J\xc3\xb3ga|Bj\xc3\xb6rk|2|11;106|Riff \xf0\x9f\x8e\xb8|Emoji \xf0\x9f\x8e\xb8 Band|6|14",
     "102|J\xc3\xb3ga|Bj\xc3\xb6rk|2|11;106|Riff \xf0\x9f\x8e\xb8|Emoji \xf0\x9f\x8e\xb8 Band|6|14"},
    {"tracks of no albums",
     [](MYSQL* h) {
       IdList ids;
       return selectTracksByAlbumIDs(h, &ids);
     },
     "", ""},
    {"tracks of artists",
     [](MYSQL* h) {
       IdList ids = idList({2});
       return selectTracksByArtistIDs(h, &ids);
     },
     "102|J\xc3\xb3ga|Homogenic|2;105|J\xc3\xb3ga|" + kNow + "|2;110|Guest Spot|Abbey Road|2",
     "102|J\xc3\xb3ga|Homogenic|2;105|J\xc3\xb3ga|" + kNow + "|2;110|Guest Spot|Abbey Road|2"},
    {"tracks of no artists",
     [](MYSQL* h) {
       IdList ids;
       return selectTracksByArtistIDs(h, &ids);
     },
     "", ""},
    {"album tracks by UPC with leading zero",
     [](MYSQL* h) { return selectTracksByAlbumUPC(h, "0075596206227"); },
     "102|J\xc3\xb3ga|2|Bj\xc3\xb6rk|11|Homogenic", "102|J\xc3\xb3ga|2|Bj\xc3\xb6rk|11|Homogenic"},
    {"album tracks by name", [](MYSQL* h) { return selectTracksByAlbumName(h, kNow); },
     "104|Come Together|1|The Beatles|13;105|J\xc3\xb3ga|2|Bj\xc3\xb6rk|13",
     "104|Come Together|1|The Beatles|13;105|J\xc3\xb3ga|2|Bj\xc3\xb6rk|13"},
    {"tracks and names by id list",
     [](MYSQL* h) { return selectArtistAlbumByIdList(h, "100, 102"); },
     "100|1|10|Come Together|Beatles, The|Abbey Road;102|2|11|J\xc3\xb3ga|Bj\xc3\xb6rk|Homogenic",
     "100|1|10|Come Together|The Beatles|Abbey Road;102|2|11|J\xc3\xb3ga|Bj\xc3\xb6rk|Homogenic"},
    {"tracks of artists or albums",
     [](MYSQL* h) {
       std::string artists[] = {"6"};
       std::string albums[] = {"11", "15"};
       return selectTracksByArtistAlbum(h, artists, 1, albums, 2);
     },
     "102|J\xc3\xb3ga;106|Riff \xf0\x9f\x8e\xb8;111|Medley",
     "102|J\xc3\xb3ga;106|Riff \xf0\x9f\x8e\xb8;111|Medley"},
};

INSTANTIATE_TEST_SUITE_P(
    Statements, TrackQueriesTest,
    testing::Combine(testing::ValuesIn(kTrackCases),
                     testing::Values(TableMode::kJoined, TableMode::kTriplets,
                                     TableMode::kTripletsDisk)));

// What goes out on the connection, read back from the statement log.
class TrackQueryTextTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestConnection(connection)); }
  void TearDown() override { setDebugQueries(false); }

  std::string sent(const std::function<bool(MYSQL*)>& send, bool* accepted = nullptr) {
    setDebugQueries(true);
    testing::internal::CaptureStderr();
    bool ok = send(connection.getMyHandle());
    std::string log = testing::internal::GetCapturedStderr();
    setDebugQueries(false);
    if (accepted != nullptr) *accepted = ok;
    if (ok) pendingRows(connection.getMyHandle());
    return log;
  }
  Connection connection;
};

TEST_F(TrackQueryTextTest, IdListsHaveTheirTwoFormats) {
  IdList ids = idList({5, 7});
  IdList none;
  EXPECT_NE(sent([&](MYSQL* h) { return selectTracksByAlbumIDs(h, &ids); })
                .find("  matchtracks.album_id in ( 5, 7 ) "),
            std::string::npos);
  EXPECT_NE(sent([&](MYSQL* h) { return selectTracksByAlbumIDs(h, &none); })
                .find("  matchtracks.album_id in ( null ) "),
            std::string::npos);
  std::string artists = sent([&](MYSQL* h) { return selectTracksByArtistIDs(h, &ids); });
  EXPECT_EQ(artists.rfind("Query::Query::selectTracksByArtistIDs, query is:\n", 0), 0u) << artists;
  EXPECT_NE(artists.find("  t1.artist_id in ( 5 , 7 ) union distinct "), std::string::npos);
  EXPECT_NE(artists.find("  t2.artist_id in ( 5 , 7 ) \n"), std::string::npos);
  EXPECT_NE(sent([&](MYSQL* h) { return selectTracksByArtistIDs(h, &none); })
                .find("in ( NULL ) "),
            std::string::npos);
}

TEST_F(TrackQueryTextTest, EmptyTrackIdIsSentAsZero) {
  // The repair is reported whatever the logging switch.
  testing::internal::CaptureStderr();
  ASSERT_TRUE(selectTrackByID(connection.getMyHandle(), ""));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Query::selectTrackByID, track_id is empty.\n");
  EXPECT_EQ(pendingRows(connection.getMyHandle()), "");

  std::string log = sent([](MYSQL* h) { return selectMinimalTrackByID(h, ""); });
  EXPECT_EQ(log.rfind("Query::selectMinimalTrackByID, track_id is empty.\n", 0), 0u) << log;
  EXPECT_NE(log.find("  tracks.id = 0\n"), std::string::npos) << log;
}

TEST_F(TrackQueryTextTest, IdsThatAreNotNumbersNeverReachTheServer) {
  for (const char* id : {"1 or 1=1", "100; drop table tracks", "abc", "1)"}) {
    SCOPED_TRACE(id);
    bool accepted = true;
    EXPECT_EQ(sent([&](MYSQL* h) { return selectTrackByID(h, id); }, &accepted), "");
    EXPECT_FALSE(accepted);
    EXPECT_EQ(sent([&](MYSQL* h) { return selectMinimalTrackByID(h, id); }, &accepted), "");
    EXPECT_EQ(sent([&](MYSQL* h) { return selectArtistAlbumByIdList(h, id); }, &accepted), "");
    EXPECT_FALSE(accepted);
  }
}

TEST_F(TrackQueryTextTest, WholeStatementOfOneBuilder) {
  EXPECT_EQ(sent([](MYSQL* h) { return selectTrackByISRC(h, "X'Y"); }),
            "Query::selectTrackByISRC, query is:\n"
            "select id from tracks where isrc = 'X\\'Y'\n");
}

}  // namespace
