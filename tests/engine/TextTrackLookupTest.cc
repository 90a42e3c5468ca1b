#include "TextTrackLookup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <string>

#include "db/Query.h"
#include "support/TestCatalogue.h"

namespace {

const std::string kUser = kTestUser;
const std::string kPassword = kTestPassword;
const std::string kDatabase = kTestDatabase;

class TextTrackLookupTest : public testing::Test {
 protected:
  void TearDown() override {
    // Engines set process-wide switches; later tests expect the load-time state.
    testing::internal::CaptureStdout();
    setDebugQueries(false);
    setUseTripletsTable(true, false);
    setUseTripletsTable(false, false);
    testing::internal::GetCapturedStdout();
    unsetenv("OSTREV_DB_HOST");
  }

  // Builds an engine on the test catalogue and returns what its constructor printed.
  std::unique_ptr<TextTrackLookup> build(int options, std::string* printed) {
    testing::internal::CaptureStdout();
    auto engine = std::make_unique<TextTrackLookup>(options, &kUser, &kPassword, &kDatabase);
    *printed = testing::internal::GetCapturedStdout();
    return engine;
  }
};

bool isStartupLine(const std::string& text) {
  return std::regex_match(text, std::regex("initialized: [0-9.e-]+\n"));
}

TEST_F(TextTrackLookupTest, DefaultsAndStartupLine) {
  std::string printed;
  auto engine = build(0, &printed);
  EXPECT_TRUE(isStartupLine(printed)) << printed;
  EXPECT_EQ(engine->resultsToTest, 10);
  EXPECT_EQ(engine->highConfScore, 75);
  EXPECT_EQ(engine->singleArtAlbBoost, 7);
  EXPECT_TRUE(engine->fullDBScanMode);
  EXPECT_TRUE(engine->tryArtistMode);
  EXPECT_FALSE(engine->verboseMode);
  EXPECT_EQ(engine->option_flags, 0);
  EXPECT_EQ(engine->dbUser, "vlot");
  EXPECT_EQ(engine->dbName, "MEDIA");
  EXPECT_EQ(engine->connection.host, "localhost");
  ASSERT_TRUE(engine->connection.connected);
  EXPECT_EQ(firstValue(engine->connection.getMyHandle(), "select database()"), "MEDIA");
  EXPECT_FALSE(getUseTripletsTable());
}

TEST_F(TextTrackLookupTest, SynonymModeIsQuietAndTestsMoreResults) {
  std::string printed;
  auto engine = build(OPT_SYNONYM, &printed);
  EXPECT_EQ(printed, "");
  EXPECT_EQ(engine->resultsToTest, 50);
}

TEST_F(TextTrackLookupTest, MainTripletsTableWinsOverDisk) {
  std::string printed;
  auto engine = build(OPT_TRIPLETS | OPT_TRIPLETSDISK, &printed);
  EXPECT_EQ(printed.substr(0, 33), "triplets-disk mode\ntriplets mode\n");
  EXPECT_TRUE(isStartupLine(printed.substr(33))) << printed;
  EXPECT_TRUE(getUseTripletsTable());
  EXPECT_EQ(getTripletsTable(), "triplets");
}

TEST_F(TextTrackLookupTest, DebugQueriesSwitchesOnStatementLogging) {
  std::string printed;
  auto engine = build(OPT_DEBUGQUERIES, &printed);
  testing::internal::CaptureStderr();
  ASSERT_TRUE(doQuery(engine->connection.getMyHandle(), "do 1", "probe"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Query::probe, query is:\ndo 1\n");
}

TEST_F(TextTrackLookupTest, SettersStoreWhatTheyAreGiven) {
  std::string printed;
  auto engine = build(0, &printed);
  engine->setVerboseMode(5);
  engine->setFullDBScanMode(0);
  engine->setTryArtistMode(0);
  engine->setHighConfScore(-3);
  engine->setResultsToTest(25);
  engine->setSingleArtAlbBoost(0);
  engine->equateCharacters('a', 'b', 3);
  EXPECT_TRUE(engine->verboseMode);
  EXPECT_FALSE(engine->fullDBScanMode);
  EXPECT_FALSE(engine->tryArtistMode);
  EXPECT_EQ(engine->highConfScore, -3);
  EXPECT_EQ(engine->resultsToTest, 25);
  EXPECT_EQ(engine->singleArtAlbBoost, 0);
}

TEST_F(TextTrackLookupTest, ConnectDBWithoutUserOrDatabaseGivesHostOnly) {
  std::string printed;
  auto engine = build(0, &printed);
  setenv("OSTREV_DB_HOST", "catalogue.example", 1);
  engine->connectDB("someone", "secret", "");
  EXPECT_EQ(engine->connection.host, "catalogue.example");
  EXPECT_EQ(engine->connection.user, "");
  EXPECT_EQ(engine->connection.password, "");
  EXPECT_EQ(engine->connection.database, "");
  EXPECT_EQ(engine->dbUser, "vlot");  // unchanged

  unsetenv("OSTREV_DB_HOST");
  engine->connectDB("other", "", "CAT");
  EXPECT_EQ(engine->connection.host, "localhost");
  EXPECT_EQ(engine->connection.user, "other");
  EXPECT_EQ(engine->connection.password, "");
  EXPECT_EQ(engine->dbName, "CAT");
}

TEST_F(TextTrackLookupTest, EndsWithStatusTenWhenTheCatalogueIsUnreachable) {
  const std::string wrong = "wrong";
  EXPECT_EXIT(TextTrackLookup(0, &kUser, &wrong, &kDatabase), testing::ExitedWithCode(10),
              "Failed to establish connection to DB: .*\n"
              "Failed to establish connection to DB: .*\n"
              "Failed to connect to DB using Connection object.: .*\n");
}

}  // namespace
