// client_exchange against a fake server: what each way an exchange ends says, step and
// errno included, as the clients word their messages from them.
#include "wire/client_exchange.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "client/FakeServer.h"
#include "support/Subprocess.h"
#include "support/TestNames.h"
#include "wire/wire_format.h"

namespace {

const std::string kRequest(kQuerySize, 'q');  // what the fake server reads before answering
constexpr char kClosed[] = "the server closed the connection without an answer";

struct ExchangeCase {
  const char* what;
  std::string served;  // the fake server's answer
  size_t answerBytes;
  size_t mostAnswerBytes;
  ExchangeFailure failure;
  bool worthRetrying;
  std::string problem;  // for a failure; else the answer is `served`
};

void PrintTo(const ExchangeCase& c, std::ostream* os) {
  *os << c.what << ": " << c.served.size() << " bytes served, " << c.answerBytes << " asked";
}

class ClientExchangeTest : public testing::TestWithParam<ExchangeCase> {};

TEST_P(ClientExchangeTest, SaysHowTheExchangeEnded) {
  const ExchangeCase& c = GetParam();
  FakeServer server(c.served);
  Exchange exchange =
      exchangeOnce(server.socketPath(), kRequest, c.answerBytes, 5000, c.mostAnswerBytes);
  EXPECT_EQ(server.request(), kRequest);
  EXPECT_EQ(exchange.answered, c.failure == ExchangeFailure::kNone);
  EXPECT_EQ(exchange.failure, c.failure);
  EXPECT_EQ(exchange.worthRetrying, c.worthRetrying);
  EXPECT_EQ(exchange.problem, c.problem);
  if (exchange.answered) {
    EXPECT_EQ(exchange.answer, c.served);
  }
}

const std::string kOverAChunk(64 * 1024 + 1, 'a');

INSTANTIATE_TEST_SUITE_P(
    Answers, ClientExchangeTest,
    testing::Values(
        ExchangeCase{"SizedWhole", "abcd", 4, 0, ExchangeFailure::kNone, false, ""},
        ExchangeCase{"SizedCutShort", "ab", 4, 0, ExchangeFailure::kClosed, true, kClosed},
        ExchangeCase{"SizedNothing", "", 4, 0, ExchangeFailure::kClosed, true, kClosed},
        ExchangeCase{"ToTheClose", "{\"x\":1}", kAnswerEndsAtClose, 100,
                     ExchangeFailure::kNone, false, ""},
        ExchangeCase{"ToTheCloseNothing", "", kAnswerEndsAtClose, 100, ExchangeFailure::kClosed,
                     true, kClosed},
        ExchangeCase{"ToTheCloseOverItsBound", kOverAChunk, kAnswerEndsAtClose, 1024,
                     ExchangeFailure::kTooLong, false, "an answer over 1024 bytes"}),
    NameByWhat());

TEST(ClientExchangeConnectTest, NamesTheStepAndErrno) {
  const std::string missing = "/nonexistent-ostrev-dir/socket";
  Exchange exchange = exchangeOnce(missing, kRequest, 4, 0, 0);
  EXPECT_EQ(exchange.failure, ExchangeFailure::kConnect);
  EXPECT_EQ(exchange.error, ENOENT);
  EXPECT_TRUE(exchange.worthRetrying);
  EXPECT_EQ(exchange.problem, "cannot connect to " + missing + ": " + strerror(ENOENT));

  const std::string tooLong = "/" + std::string(kMaxPathBytes + 10, 'p');
  exchange = exchangeOnce(tooLong, kRequest, 4, 0, 0);
  EXPECT_EQ(exchange.failure, ExchangeFailure::kPathTooLong);
  EXPECT_EQ(exchange.error, ENAMETOOLONG);
  EXPECT_FALSE(exchange.worthRetrying);
}

// ostrevc's way: connected first, the request made afterwards.
TEST(ClientExchangeConnectTest, ExchangesOverAConnectionMadeBefore) {
  FakeServer server("abcd");
  Exchange failure;
  unique_fd connection = connectToServer(server.socketPath(), &failure);
  ASSERT_GE(connection.get(), 0) << failure.problem;
  Exchange exchange = exchangeOver(connection, kRequest, 4, 0, 0);
  EXPECT_TRUE(exchange.answered) << exchange.problem;
  EXPECT_EQ(exchange.answer, "abcd");
}

// A server that takes the connection but never answers: the deadline ends the wait.
TEST(ClientExchangeConnectTest, DeadlineEndsTheWait) {
  const std::string folder = makeTempFolder();
  const std::string path = folder + "/silent.sock";
  unique_fd silent(socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address;
  unsigned length;
  ASSERT_TRUE(localAddress(path.c_str(), &address, &length));
  ASSERT_EQ(bind(silent.get(), reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(listen(silent.get(), 1), 0);
  Exchange exchange = exchangeOnce(path, kRequest, 4, 1000, 0);
  EXPECT_EQ(exchange.failure, ExchangeFailure::kReceive);
  EXPECT_EQ(exchange.error, ETIMEDOUT);
  EXPECT_FALSE(exchange.worthRetrying);
  EXPECT_EQ(exchange.problem, "no answer within 1 s");
  unlink(path.c_str());
  rmdir(folder.c_str());
}

}  // namespace
