// How the server stops, through real sockets: signals and shutdown requests answer what is
// queued first, only the server's own user (or root) may stop it, and a running server's
// socket is never taken over.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "db/Connection.h"
#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/Subprocess.h"
#include "support/TestCatalogue.h"
#include "wire/wire_format.h"

namespace {

// A stop signal while requests wait behind a lookup held up on a locked table: every
// queued request is answered, then the socket file goes and the status is 0.
TEST(StopTest, SignalsAnswerWhatIsQueuedThenStop) {
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(strsignal(signal));
    Connection locker;
    ASSERT_TRUE(openTestConnection(locker));
    ServerUnderTest server;
    ASSERT_TRUE(server.ready()) << server.program().err();
    ASSERT_EQ(mysql_query(locker.getMyHandle(), "LOCK TABLES matchtracks WRITE"), 0);

    std::vector<Exchange> answers(4);
    std::vector<std::thread> clients;
    for (Exchange& answer : answers) {
      clients.emplace_back([&] {
        answer = server.send({fixedRequest("identify", "The Beatles", "Abbey Road", "Come Together")});
      });
      ASSERT_TRUE(server.program().waitForOutput("Queue Size:", clients.size()));
    }
    kill(server.program().pid(), signal);
    ASSERT_TRUE(server.program().waitForOutput("stopping"));
    // Stopped accepting: no new client gets in.
    EXPECT_LT(connectToServer(server.socketPath(), 0), 0);
    ASSERT_EQ(mysql_query(locker.getMyHandle(), "UNLOCK TABLES"), 0);

    for (std::thread& client : clients) client.join();
    for (const Exchange& answer : answers) EXPECT_EQ(answer.answer.size(), kResultSize);
    ProgramRun run = server.program().wait();
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(access(server.socketPath().c_str(), F_OK), 0);
  }
}

// Run as another user, a shutdown is refused and the server goes on; as its own user (or
// root) it stops the server.
TEST(StopTest, OnlyTheServersOwnUserMayShutItDown) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to ask as another user";
  ServerUnderTest server;
  ASSERT_TRUE(server.ready()) << server.program().err();
  const std::string folder = server.socketPath().substr(0, server.socketPath().rfind('/'));
  ASSERT_EQ(chmod(folder.c_str(), 0755), 0);

  constexpr uid_t kNobody = 65534;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    Exchange ex = sendRequest(server.socketPath(), {fixedRequest("shutdown")});
    _exit(ex.connected && ex.closedByServer && ex.answer.empty() ? 0 : 3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(server.program().waitForOutput("shutdown refused for uid 65534\n"));

  Exchange after = server.send({fixedRequest("identify", "The Beatles", "Abbey Road", "Something")});
  EXPECT_EQ(after.answer.size(), kResultSize);
  server.send({fixedRequest("shutdown")});
  EXPECT_EQ(server.program().wait().exitStatus, 0);
}

TEST(StopTest, ASecondServerLeavesARunningOnesSocketAlone) {
  ServerUnderTest first;
  ASSERT_TRUE(first.ready()) << first.program().err();
  ProgramRun second = runProgram({serverProgram(), "--socket=" + first.socketPath()});
  EXPECT_EQ(second.exitStatus, 1);
  EXPECT_NE(second.err.find("already listening on " + first.socketPath()), std::string::npos)
      << second.err;
  Exchange ex = first.send({fixedRequest("identify", "Björk", "Homogenic", "Jóga")});
  EXPECT_EQ(ex.answer.size(), kResultSize);
  first.send({fixedRequest("shutdown")});
  EXPECT_EQ(first.program().wait().exitStatus, 0);
}

}  // namespace
