// A running ostrevd through database trouble: its catalogue server restarted under it, a
// table gone. It must answer (or close) every request, never crash or hang, and be itself
// again once the database is back. Uses a catalogue server of its own, since it stops it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/HttpClient.h"
#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/Subprocess.h"
#include "wire/wire_format.h"

namespace {

std::string sourceDir() {
  const char* dir = getenv("OSTREV_SOURCE_DIR");
  return dir != nullptr ? dir : ".";
}

// A private catalogue server with the fixture catalogue, stopped when the test ends.
class PrivateCatalogue {
 public:
  PrivateCatalogue() : folder_(makeTempFolder()) {
    ok_ = run("start") && run("create", {"MEDIA"}) &&
          run("sql", {"MEDIA", sourceDir() + "/tests/fixtures/catalogue.sql",
                      sourceDir() + "/schema/derive.sql",
                      sourceDir() + "/tests/fixtures/catalogue-adjust.sql"});
  }
  ~PrivateCatalogue() {
    run("stop");
    runProgram({"/bin/rm", "-rf", folder_});
  }
  bool ok() const { return ok_; }
  bool start() { return run("start"); }
  bool stop() { return run("stop"); }
  bool sql(const std::string& statements) { return run("sql", {"MEDIA"}, statements); }
  std::string socket() const { return folder_ + "/mysqld.sock"; }

 private:
  bool run(const std::string& command, const std::vector<std::string>& more = {},
           const std::string& input = "") {
    std::vector<std::string> argv = {sourceDir() + "/scripts/catalogue-db", command, folder_};
    argv.insert(argv.end(), more.begin(), more.end());
    return runProgram(argv, {}, input, 120).exitStatus == 0;
  }
  std::string folder_;
  bool ok_ = false;
};

lookup_result answerOf(const Exchange& ex) {
  lookup_result result{};
  if (ex.answer.size() == sizeof(result)) memcpy(&result, ex.answer.data(), sizeof(result));
  return result;
}

class DatabaseFaultTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(catalogue_.ok());
    server_ = std::make_unique<ServerUnderTest>(std::vector<std::string>{"--synonym"},
                                                std::vector<std::string>{
                                                    "MYSQL_UNIX_PORT=" + catalogue_.socket()});
    ASSERT_TRUE(server_->ready()) << server_->program().err();
  }

  // Asks for "Come Together" by The Beatles; the catalogue's track 100.
  Exchange identify() {
    return server_->send({fixedRequest("identify", "The Beatles", "Abbey Road", "Come Together")});
  }

  PrivateCatalogue catalogue_;
  std::unique_ptr<ServerUnderTest> server_;
};

TEST_F(DatabaseFaultTest, ReconnectsAfterTheDatabaseRestarts) {
  EXPECT_EQ(answerOf(identify()).track_id, 100);

  ASSERT_TRUE(catalogue_.stop());
  // While the database is down every request is still answered or closed.
  for (int i = 0; i < 3; ++i) {
    Exchange down = identify();
    EXPECT_TRUE(down.closedByServer);
    EXPECT_NE(answerOf(down).track_id, 100);
  }
  EXPECT_TRUE(server_->program().running());

  ASSERT_TRUE(catalogue_.start());
  EXPECT_EQ(answerOf(identify()).track_id, 100);
  // The new session speaks four-byte UTF-8 like the first one.
  const std::string guitar = "\xf0\x9f\x8e\xb8";
  lookup_result emoji = answerOf(server_->send({fixedRequest(
      "identify", "Emoji " + guitar + " Band", "Strings " + guitar, "Riff " + guitar)}));
  EXPECT_EQ(emoji.track_id, 106);
  EXPECT_EQ(std::string(emoji.track_name), "Riff " + guitar);
  EXPECT_TRUE(server_->program().running());
}

TEST_F(DatabaseFaultTest, SurvivesStatementsTheServerRejects) {
  ASSERT_TRUE(catalogue_.sql("drop table matchtracks; drop table triplets_disk;"));
  Exchange ex = identify();
  EXPECT_TRUE(ex.closedByServer);
  EXPECT_EQ(ex.answer.size(), sizeof(lookup_result));
  // Nothing crashed: an ISRC request still gets its answer from the tables left.
  Exchange byIsrc = server_->send({fixedRequest("identify", "", "", "x", "GBAMB9700012")});
  EXPECT_EQ(answerOf(byIsrc).track_id, 102);
  EXPECT_TRUE(server_->program().running());
}

// Over HTTP: not ready while the database is down, and a lookup that could not reach it
// answered 504, never "no such track"; ready again once it is back.
TEST_F(DatabaseFaultTest, OverHttpNotReadyWhileTheDatabaseIsDown) {
  const int port = freeLoopbackPort();
  ServerUnderTest server({"--synonym", "--http=" + std::to_string(port)},
                         {"MYSQL_UNIX_PORT=" + catalogue_.socket()});
  ASSERT_TRUE(server.ready()) << server.program().err();
  const auto status = [port](const std::string& target) {
    return HttpConnection(port).request("GET", target).status;
  };
  // The readiness probe asks once a second.
  const auto readiness = [&status](int wanted) {
    for (int i = 0; i < 50 && status("/readyz") != wanted; ++i) usleep(100 * 1000);
    return status("/readyz");
  };
  const std::string identify = "/v1/identify?artist=The+Beatles&title=Come+Together";
  EXPECT_EQ(readiness(200), 200);
  EXPECT_EQ(status(identify), 200);
  ASSERT_TRUE(catalogue_.stop());
  EXPECT_EQ(readiness(503), 503);
  EXPECT_EQ(status(identify), 504);
  ASSERT_TRUE(catalogue_.start());
  EXPECT_EQ(readiness(200), 200);
  EXPECT_EQ(status(identify), 200);
  server.send({fixedRequest("shutdown")});
  server.program().wait();
}

}  // namespace
