// A real ostrevd whose catalogue becomes unreachable in the middle of a request: its
// session killed, or its statement blocked on a locked table until the time-out. The
// request is closed without an answer, standard error says why, and the next request is
// answered again.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "server/LockableCatalogue.h"
#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/TestNames.h"
#include "wire/socket_io.h"
#include "wire/wire_format.h"

namespace {

// "Come Together" by The Beatles: the catalogue's track 100.
const std::string kIdentify =
    fixedRequest("identify", "The Beatles", "Abbey Road", "Come Together");
const std::string kAlbum = variableRequest(
    "identify_album_tracks|album:Abbey Road|artist:The Beatles|title:Come Together|");

bool answered(const Exchange& ex, bool album) {
  if (album) return ex.answer.find("'mediaId' => '100'") != std::string::npos;
  lookup_result result{};
  if (ex.answer.size() != sizeof(result)) return false;
  memcpy(&result, ex.answer.data(), sizeof(result));
  return result.track_id == 100;
}

struct OutageCase {
  const char* what;
  std::vector<std::string> env;
  bool killSession;  // else the blocked statement runs into the time-out
  bool album;
};

void PrintTo(const OutageCase& c, std::ostream* os) {
  *os << (c.album ? "album request, " : "identify request, ")
      << (c.killSession ? "session killed" : "statement timed out") << ", environment "
      << testing::PrintToString(c.env);
}

class CatalogueFaultTest : public testing::TestWithParam<OutageCase> {
 protected:
  static void SetUpTestSuite() {
    catalogue_ = std::make_unique<LockableCatalogue>("CATALOGUE_FAULT_TEST");
  }
  static void TearDownTestSuite() { catalogue_.reset(); }
  static std::unique_ptr<LockableCatalogue> catalogue_;
};

std::unique_ptr<LockableCatalogue> CatalogueFaultTest::catalogue_;

TEST_P(CatalogueFaultTest, ClosesUnansweredAndRecovers) {
  const OutageCase& c = GetParam();
  ASSERT_TRUE(catalogue_->ok());
  ServerUnderTest server({"--synonym", "--dbname=" + catalogue_->database()}, c.env);
  ASSERT_TRUE(server.ready()) << server.program().err();
  const std::string& request = c.album ? kAlbum : kIdentify;

  ASSERT_TRUE(catalogue_->lockTables());
  std::thread killer;
  if (c.killSession) {
    killer = std::thread([] {
      std::string id = catalogue_->waitForBlockedSession(5000);
      if (!id.empty()) catalogue_->kill(id);
    });
  }
  const long long start = monotonicMs();
  Exchange down = server.send({request});
  const long long took = monotonicMs() - start;
  if (killer.joinable()) killer.join();
  ASSERT_TRUE(catalogue_->unlockTables());

  EXPECT_TRUE(down.closedByServer);
  EXPECT_EQ(down.answer, "");
  // Well before the default time-out of 10 s: a killed session ends the request at once.
  EXPECT_LT(took, 4000);
  const std::string err = server.program().err();
  EXPECT_NE(err.find("catalogue unreachable, request given up: Lost connection to server "
                     "during query\n"),
            std::string::npos)
      << err;

  Exchange up = server.send({request});
  EXPECT_TRUE(answered(up, c.album)) << up.answer;
  EXPECT_TRUE(server.program().running());
}

INSTANTIATE_TEST_SUITE_P(
    Outages, CatalogueFaultTest,
    testing::Values(OutageCase{"identify_session_killed", {}, true, false},
                    OutageCase{
                        "identify_statement_timed_out", {"OSTREV_DB_TIMEOUT=1"}, false, false},
                    OutageCase{"album_session_killed", {}, true, true},
                    OutageCase{"album_statement_timed_out", {"OSTREV_DB_TIMEOUT=1"}, false, true}),
    NameByWhat());

}  // namespace
