// Request intake, queue and worker of a real ostrevd, through real sockets.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/Subprocess.h"
#include "support/TestNames.h"

namespace {

// Everything the server printed after its engine started.
std::string afterStartup(const std::string& out) {
  size_t at = out.find("initialized: ");
  if (at == std::string::npos) return out;
  return out.substr(out.find('\n', at) + 1);
}

class ListenerTest : public testing::Test {
 protected:
  void start(const std::vector<std::string>& args = {},
             const std::vector<std::string>& env = {}) {
    server_ = std::make_unique<ServerUnderTest>(args, env);
    ASSERT_TRUE(server_->ready()) << server_->program().err();
  }

  // Stops the server with a shutdown request and returns how it ended.
  ProgramRun stop() {
    server_->send({fixedRequest("shutdown")});
    return server_->program().wait();
  }

  std::unique_ptr<ServerUnderTest> server_;
};

TEST_F(ListenerTest, LogsAnIdentifyRequestInOrder) {
  start();
  Exchange ex = server_->send({fixedRequest("identify", "Artist X", "Album Y", "Track Z")});
  EXPECT_TRUE(ex.closedByServer);
  EXPECT_EQ(ex.answer.size(), 620u);
  ProgramRun run = stop();
  EXPECT_EQ(run.exitStatus, 0);
  std::string log = afterStartup(run.out);
  const std::string queued = "\nQueue Size: 1\n\n";
  log = log.substr(0, log.find(queued) + queued.size());
  std::regex expected(
      "[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\n"
      "Received: 'identify' rc = 0\n"
      "Received Artist: 'Artist X'\n"
      "Received Album:  'Album Y'\n"
      "Received Track:  'Track Z'\n"
      "Received ISRC:   ''\n"
      "Received UPC:    ''\n"
      "\nQueue Size: 1\n\n");
  EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST_F(ListenerTest, ReadsARequestDeliveredInPieces) {
  start();
  std::string request = fixedRequest("identify", "Pieces", "", "", "ISRC1", "UPC1");
  server_->send({request.substr(0, 100), request.substr(100, 500), request.substr(600)});
  ProgramRun run = stop();
  EXPECT_NE(run.out.find("Received Artist: 'Pieces'\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Received UPC:    'UPC1'\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("undefined command"), std::string::npos);
}

TEST_F(ListenerTest, ShortFormHasEmptyIsrcAndUpc) {
  start();
  std::string request = fixedRequest("identify", "Short", "", "", "NOT SENT", "NOT SENT");
  server_->send({request.substr(0, 620)}, /*halfClose=*/true);
  ProgramRun run = stop();
  EXPECT_NE(run.out.find("Received partial structure\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Received ISRC:   ''\nReceived UPC:    ''\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("NOT SENT"), std::string::npos);
}

class ListenerClosedEarlyTest : public ListenerTest,
                                public testing::WithParamInterface<size_t> {};

TEST_P(ListenerClosedEarlyTest, IsNeverProcessed) {
  size_t bytes = GetParam();
  SCOPED_TRACE(bytes);
  start();
  Exchange ex = server_->send({fixedRequest("identify", "Lost").substr(0, bytes)}, true);
  EXPECT_TRUE(ex.closedByServer);
  EXPECT_EQ(ex.answer, "");
  EXPECT_TRUE(server_->program().waitForOutput("undefined command\n"));
  ProgramRun run = stop();
  std::string expected = "Client closed connection with " + std::to_string(bytes) +
                         " bytes received...\n\nQueue Size: 1\n\nundefined command\n";
  EXPECT_EQ(afterStartup(run.out).substr(0, expected.size()), expected) << run.out;
  EXPECT_EQ(run.out.find("Lost"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ListenerClosedEarlyTest,
                         testing::Values(0, 5, 14, 15, 619, 621, 700, 1019));

TEST_F(ListenerTest, UnknownNameIsClosedUnanswered) {
  start();
  Exchange ex = server_->send({fixedRequest("hello", "A")});
  EXPECT_TRUE(ex.closedByServer);
  EXPECT_EQ(ex.answer, "");
  EXPECT_TRUE(server_->program().waitForOutput("undefined command\n"));
  ProgramRun run = stop();
  EXPECT_NE(run.out.find("Received: 'hello' rc = 0\n\nQueue Size: 1\n\nundefined command\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("Received Artist"), std::string::npos);
}

TEST_F(ListenerTest, FieldsWithoutTerminatorStopAtTheirEnd) {
  start();
  std::string request = fixedRequest("identify");
  // No NUL anywhere in the last field, which ends the request.
  request.replace(820, 200, std::string(200, 'U'));
  server_->send({request});
  ProgramRun run = stop();
  EXPECT_NE(run.out.find("Received UPC:    '" + std::string(200, 'U') + "'\n"),
            std::string::npos)
      << run.out;
}

struct VariableCase {
  const char* what;
  std::string request;
  bool accepted;
};

class ListenerVariableTest : public ListenerTest,
                             public testing::WithParamInterface<VariableCase> {};

TEST_P(ListenerVariableTest, ReadsTheAnnouncedLength) {
  const VariableCase& c = GetParam();
  SCOPED_TRACE(c.what);
  start();
  Exchange ex = server_->send({c.request}, /*halfClose=*/true);
  EXPECT_TRUE(ex.closedByServer);
  ProgramRun run = stop();
  std::string log = afterStartup(run.out);
  EXPECT_EQ(log.rfind("Variable length command\n", 0), 0u) << log;
  EXPECT_EQ(log.find("undefined command") == std::string::npos, c.accepted) << log;
  EXPECT_EQ(log.find("Received: 'variable'"), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ListenerVariableTest,
    testing::Values(
        VariableCase{"with name", variableRequest("identify_album_tracks|album:X|"), true},
        VariableCase{"descriptor alone", variableRequest("album:X|"), true},
        VariableCase{"25 bytes of text", variableRequest(std::string(25, 't'), "000040"), true},
        VariableCase{"length ends at a letter", variableRequest("abcde", std::string("20\0\0\0\0", 6)), true},
        VariableCase{"length not a number", variableRequest("abc", "abcdef"), false},
        VariableCase{"length below the header", variableRequest("", "000010"), false},
        VariableCase{"closed before the text", variableRequest("short", "000100"), false}),
    NameByWhat());

TEST_F(ListenerTest, MalformedLengthIsReported) {
  start();
  server_->send({variableRequest("abc", "abcdef")});
  ProgramRun run = stop();
  EXPECT_NE(run.err.find("receiving variable length query structure: Invalid argument\n"),
            std::string::npos)
      << run.err;
}

TEST_F(ListenerTest, VariableRequestClosedEarlyCountsItsBytes) {
  start();
  server_->send({variableRequest("short", "000100")}, true);
  ProgramRun run = stop();
  EXPECT_NE(run.out.find("Client closed connection with 20 bytes received...\n"),
            std::string::npos)
      << run.out;
}

TEST_F(ListenerTest, QueueSizeLineForEveryRequest) {
  start();
  for (int i = 0; i < 3; ++i) server_->send({fixedRequest("hello")});
  ProgramRun run = stop();
  std::regex line("\nQueue Size: ([0-9]+)\n\n");
  int lines = 0;
  for (std::sregex_iterator it(run.out.begin(), run.out.end(), line), end; it != end; ++it) {
    int size = std::stoi((*it)[1]);
    EXPECT_GE(size, 1);
    EXPECT_LE(size, 4);
    ++lines;
  }
  EXPECT_EQ(lines, 4);  // three requests and the shutdown
}

TEST_F(ListenerTest, ShutdownRunsAfterQueuedCommandsAndEndsTheServer) {
  start();
  // Stall the listener so that three requests wait in the kernel's backlog, then arrive at
  // the queue together.
  int staller = connectToServer(server_->socketPath());
  ASSERT_GE(staller, 0);
  std::vector<int> clients;
  for (const char* name : {"first", "second", "shutdown", "never"}) {
    int fd = connectToServer(server_->socketPath());
    ASSERT_GE(fd, 0);
    std::string request = fixedRequest(name);
    ASSERT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    clients.push_back(fd);
  }
  close(staller);
  ProgramRun run = server_->program().wait();
  for (int fd : clients) close(fd);
  EXPECT_EQ(run.exitStatus, 0);
  size_t first = run.out.find("Received: 'first'");
  size_t second = run.out.find("Received: 'second'");
  size_t shutdown = run.out.find("Received: 'shutdown'");
  EXPECT_LT(first, second);
  EXPECT_LT(second, shutdown);
  // The stalled connection's plain command and both earlier requests ran; the one behind
  // the shutdown never did.
  size_t ran = 0;
  for (size_t at = run.out.find("undefined command"); at != std::string::npos;
       at = run.out.find("undefined command", at + 1)) {
    ++ran;
  }
  EXPECT_EQ(ran, 3u) << run.out;
}

TEST_F(ListenerTest, OneRequestModeServesOneConnectionAndExits) {
  start({"--onerequest"});
  server_->send({fixedRequest("identify", "Once")});
  ProgramRun run = server_->program().wait();
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("Received Artist: 'Once'"), std::string::npos);
}

// A silent client and one sending a byte now and then hold up nobody: the next request is
// answered long before their time runs out, and they are timed out when it does.
TEST_F(ListenerTest, StalledClientsTimeOutWhileOthersAreServed) {
  start({}, {"OSTREV_RECV_TIMEOUT=2"});
  int stalled = connectToServer(server_->socketPath());
  int trickling = connectToServer(server_->socketPath());
  ASSERT_GE(stalled, 0);
  ASSERT_GE(trickling, 0);
  ASSERT_EQ(write(trickling, "i", 1), 1);
  const auto before = std::chrono::steady_clock::now();
  Exchange next = server_->send({fixedRequest("identify", "After the stall")});
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
  EXPECT_TRUE(next.closedByServer);
  EXPECT_EQ(next.answer.size(), 620u);
  for (int i = 0; i < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    // The deadline is for the whole request: a byte now and then does not move it.
    if (write(trickling, "d", 1) != 1) break;
  }
  close(stalled);
  close(trickling);
  ProgramRun run = stop();
  const std::string timedOut = "receiving lookup_query structure: Connection timed out\n";
  size_t timeouts = 0;
  for (size_t at = run.err.find(timedOut); at != std::string::npos;
       at = run.err.find(timedOut, at + 1)) {
    ++timeouts;
  }
  EXPECT_EQ(timeouts, 2u) << run.err;
  EXPECT_LT(run.out.find("Received Artist: 'After the stall'"), run.out.find("undefined command"))
      << run.out;
}

TEST_F(ListenerTest, SocketIsOpenToEveryone) {
  start();
  struct stat st;
  ASSERT_EQ(stat(server_->socketPath().c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0777u);
  stop();
}

TEST(ListenerSetupTest, StaleSocketFileIsReplaced) {
  std::string folder = makeTempFolder();
  std::string path = folder + "/stale";
  FILE* stale = fopen(path.c_str(), "w");
  ASSERT_NE(stale, nullptr);
  fclose(stale);
  BackgroundProgram server({serverProgram(), "--socket=" + path, "--onerequest"}, {});
  Exchange ex = sendRequest(path, {fixedRequest("hello")});
  EXPECT_TRUE(ex.connected);
  EXPECT_EQ(server.wait().exitStatus, 0);
  unlink(path.c_str());
  rmdir(folder.c_str());
}

TEST(ListenerSetupTest, DirectoryAtTheSocketPathEndsWithStatusOne) {
  std::string folder = makeTempFolder();
  std::string path = folder + "/taken";
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  ProgramRun run = runProgram({serverProgram(), "--socket=" + path});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err.rfind("bind: ", 0), 0u) << run.err;
  rmdir(path.c_str());
  rmdir(folder.c_str());
}

}  // namespace
