#include "db/Connection.h"

#include <gtest/gtest.h>

#include <string>

#include "db/Query.h"
#include "support/TestCatalogue.h"
#include "support/TestNames.h"

namespace {

int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(ConnectionTest, OpensWithFourByteUtf8) {
  Connection connection;
  ASSERT_TRUE(openTestConnection(connection));
  EXPECT_TRUE(connection.connected);
  ASSERT_NE(connection.getMyHandle(), nullptr);
  EXPECT_STREQ(mysql_character_set_name(connection.getMyHandle()), "utf8mb4");
  // A character outside the Basic Multilingual Plane survives both directions.
  EXPECT_EQ(firstValue(connection.getMyHandle(),
                       "select id from matchartists where display_name = 'Emoji 🎸 Band'"),
            "6");
  EXPECT_EQ(firstValue(connection.getMyHandle(), "select name from matchtracks where id = 106"),
            "Riff 🎸");
}

TEST(ConnectionTest, ConnectWhenOpenKeepsTheSameSession) {
  Connection connection;
  ASSERT_TRUE(openTestConnection(connection));
  std::string id = firstValue(connection.getMyHandle(), "select connection_id()");
  EXPECT_TRUE(connection.myConnect());
  EXPECT_EQ(firstValue(connection.getMyHandle(), "select connection_id()"), id);
}

TEST(ConnectionTest, ReconnectsAfterTheServerDroppedTheSession) {
  Connection victim, killer;
  ASSERT_TRUE(openTestConnection(victim));
  ASSERT_TRUE(openTestConnection(killer));
  std::string id = firstValue(victim.getMyHandle(), "select connection_id()");
  ASSERT_TRUE(doQuery(killer.getMyHandle(), "kill connection " + id, "test"));

  // The first statement may find the session gone; the client library then reconnects.
  std::string after = firstValue(victim.getMyHandle(), "select connection_id()");
  if (after == "<error>") after = firstValue(victim.getMyHandle(), "select connection_id()");
  EXPECT_NE(after, "<error>");
  EXPECT_NE(after, id);
  EXPECT_TRUE(victim.connected);
}

TEST(ConnectionTest, SetDBAfterInitKeepsTheOpenConnection) {
  Connection connection;
  ASSERT_TRUE(openTestConnection(connection));
  connection.setDB("elsewhere", "nobody", "", "NOWHERE");
  EXPECT_EQ(connection.host, "elsewhere");
  EXPECT_EQ(connection.database, "NOWHERE");
  EXPECT_TRUE(connection.myConnect());
  EXPECT_EQ(firstValue(connection.getMyHandle(), "select database()"), "MEDIA");
}

struct RefusedCase {
  const char* what;
  const char* user;
  const char* password;
  const char* database;
  const char* reason;  // in the client library's own message
};

class ConnectionRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(ConnectionRefusedTest, ReportsTwiceAndReleasesTheClientObject) {
  const RefusedCase& c = GetParam();
  SCOPED_TRACE(c.what);
  Connection connection("localhost", c.user, c.password, c.database);
  testing::internal::CaptureStderr();
  bool opened = connection.init();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(opened);
  EXPECT_FALSE(connection.connected);
  EXPECT_EQ(connection.getMyHandle(), nullptr);
  EXPECT_EQ(occurrences(err, "Failed to establish connection to DB: "), 2) << err;
  EXPECT_NE(connection.lastError.find(c.reason), std::string::npos) << connection.lastError;

  // A second attempt has no client object left; it fails cleanly instead of crashing.
  testing::internal::CaptureStderr();
  EXPECT_FALSE(connection.myConnect());
  err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(occurrences(err, "Failed to establish connection to DB: "), 1) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ConnectionRefusedTest,
    testing::Values(RefusedCase{"wrong password", "vlot", "wrong", "MEDIA", "Access denied"},
                    RefusedCase{"empty password", "vlot", "", "MEDIA", "Access denied"},
                    RefusedCase{"unknown user", "nobody", "pravo", "MEDIA", "Access denied"},
                    // The test user may use only its own databases.
                    RefusedCase{"missing database", "vlot", "pravo", "NO_SUCH_DB",
                                "to database 'NO_SUCH_DB'"}),
    NameByWhat());

TEST(ConnectionTest, ConnectWithoutInitFailsCleanly) {
  Connection connection("localhost", kTestUser, kTestPassword, kTestDatabase);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(connection.myConnect());
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(connection.getMyHandle(), nullptr);
}

TEST(ConnectionTest, DisconnectForgetsTheHandle) {
  Connection connection;
  ASSERT_TRUE(openTestConnection(connection));
  connection.myDisconnect();
  EXPECT_FALSE(connection.connected);
  EXPECT_EQ(connection.getMyHandle(), nullptr);
}

}  // namespace
