#include "db/TripletsNormalization.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "TextTrackLookup.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"

namespace {

// Works in its own database: it writes, and other test programs read MEDIA meanwhile.
class TripletsNormalizationTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestDatabase(connection, "NORMALIZE_TEST"));
    run("delete from triplets_disk");
  }
  void TearDown() override {
    useTableMode(TableMode::kJoined);
    setDebugQueries(false);
  }

  void run(const std::string& statement) {
    ASSERT_TRUE(doQuery(handle(), statement, "test")) << statement;
    pendingRows(handle());
  }

  void addRow(int id, const char* track, const char* artist, const char* album) {
    auto quoted = [&](const char* text) {
      return text == nullptr ? std::string("NULL") : "'" + escapeString(handle(), text) + "'";
    };
    run("insert into triplets_disk (track_id, track_name, artist_name, album_name) values (" +
        std::to_string(id) + ", " + quoted(track) + ", " + quoted(artist) + ", " +
        quoted(album) + ")");
  }

  std::string normalizedRows() {
    run("commit");
    EXPECT_TRUE(doQuery(handle(),
                        "select track_id, normalized_track_name, normalized_artist_name, "
                        "normalized_album_name from triplets_disk order by track_id",
                        "test"));
    return pendingRows(handle());
  }

  MYSQL* handle() { return connection.getMyHandle(); }
  Connection connection;
};

TEST_F(TripletsNormalizationTest, WorksThroughTheTableInBatches) {
  addRow(1, "Come Together", "The Beatles", "Abbey Road");
  addRow(2, "Artist feat. Guest", "Simon and Garfunkel", "The Best feat. Nobody");
  addRow(3, "Singing", nullptr, nullptr);
  addRow(4, "it's", "O'Brien \\ Band", "L'Amour");
  addRow(5, "x", "y", "z");
  run("commit");
  EXPECT_EQ(normalizeTriplets(handle(), 2), 2);
  EXPECT_EQ(normalizeTriplets(handle(), 2), 2);
  EXPECT_EQ(normalizeTriplets(handle(), 2), 1);
  EXPECT_EQ(normalizeTriplets(handle(), 2), 0);
  EXPECT_EQ(normalizedRows(),
            "1|come togetha|beatles|abbey road;"
            "2|artist|simon & garfunkel|best feat nobody;"
            "3|singin||;"
            "4|it s|o brien band|amour;"
            "5|x|y|z");
}

TEST_F(TripletsNormalizationTest, StoresAtMost70BytesOfWholeCharacters) {
  std::string ascii(90, 'q');
  // 69 ASCII bytes, then a two-byte character (one that decomposition leaves whole) that
  // the 70-byte cut would split.
  std::string accented = std::string(69, 'r') + "\xc3\x9f" + "tail";
  addRow(1, ascii.c_str(), "x", "y");
  addRow(2, accented.c_str(), "x", "y");
  EXPECT_EQ(normalizeTriplets(handle(), 10), 2);
  EXPECT_EQ(normalizedRows(),
            "1|" + std::string(70, 'q') + "|x|y;2|" + std::string(69, 'r') + "|x|y");
}

TEST_F(TripletsNormalizationTest, ReadsTheDiskTableWhateverTheMode) {
  addRow(1, "Song", "Artist", "Album");
  useTableMode(TableMode::kTriplets);
  EXPECT_EQ(normalizeTriplets(handle(), 10), 1);
  EXPECT_EQ(normalizedRows(), "1|song|artist|album");
}

TEST_F(TripletsNormalizationTest, SendsItsStatementsAsWritten) {
  // The apostrophe survives: the "er" rule wins over the one that drops "l'".
  addRow(7, "De l'hiver", "C", "D");
  setDebugQueries(true);
  testing::internal::CaptureStderr();
  normalizeTriplets(handle(), 2000);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Query::selectNotNormalizedTriplets, query is:\n"
                     "select   track_id,   track_name,   artist_name,   album_name from "
                     "  triplets_disk where   normalized_track_name is null limit 2000\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Query::updateTiplet, query is:\n"
                     "update triplets_disk set   normalized_track_name  = 'de l\\'hiva', "
                     "  normalized_artist_name = 'c',   normalized_album_name  = 'd' where "
                     "  track_id = 7\n"),
            std::string::npos)
      << log;
}

TEST_F(TripletsNormalizationTest, EngineNormalizesAtStartUpAndReportsTheTotal) {
  for (int id = 1; id <= 5; ++id) addRow(id, "Track", "Artist", "Album");
  run("commit");
  const std::string user = kTestUser, password = kTestPassword, database = "NORMALIZE_TEST";
  for (const char* expected : {"5 triplets normalized\n", "0 triplets normalized\n"}) {
    testing::internal::CaptureStdout();
    TextTrackLookup engine(OPT_NORMALIZETRIPLETS, &user, &password, &database);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(out, std::regex(std::string(expected) +
                                                 "initialized: [0-9.e-]+\n")))
        << out;
  }
}

}  // namespace
