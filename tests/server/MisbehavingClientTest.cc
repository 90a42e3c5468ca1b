// Clients that close early, never read, stall after one byte or flood the listener: the
// server stays up and keeps serving the others.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "wire/wire_format.h"

namespace {

class MisbehavingClientTest : public testing::Test {
 protected:
  void start(const std::vector<std::string>& env = {}) {
    server_ = std::make_unique<ServerUnderTest>(std::vector<std::string>{"--synonym"}, env);
    ASSERT_TRUE(server_->ready()) << server_->program().err();
  }
  void TearDown() override {
    if (server_) {
      server_->send({fixedRequest("shutdown")});
      EXPECT_EQ(server_->program().wait().exitStatus, 0);
    }
  }
  // A well-behaved client still gets its answer.
  void expectServed() {
    Exchange ex = server_->send({fixedRequest("identify", "The Beatles", "", "Something")});
    ASSERT_EQ(ex.answer.size(), sizeof(lookup_result));
    lookup_result answer;
    memcpy(&answer, ex.answer.data(), sizeof(answer));
    EXPECT_TRUE(answer.track_id == 101 || answer.track_id == 107) << answer.track_id;
  }
  std::unique_ptr<ServerUnderTest> server_;
};

TEST_F(MisbehavingClientTest, ClientsThatNeverReadTheirAnswer) {
  start();
  std::vector<int> idle;
  for (int i = 0; i < 20; ++i) {
    int fd = connectToServer(server_->socketPath());
    ASSERT_GE(fd, 0);
    std::string request = fixedRequest("identify", "The Beatles", "", "Something");
    ASSERT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    idle.push_back(fd);
  }
  expectServed();
  for (int fd : idle) close(fd);
  expectServed();
}

TEST_F(MisbehavingClientTest, ClientsThatHangUpAtEveryStage) {
  start();
  std::string request = fixedRequest("identify", "The Beatles", "", "Something");
  for (size_t sent : {size_t{0}, size_t{1}, size_t{15}, size_t{500}, request.size()}) {
    SCOPED_TRACE(sent);
    int fd = connectToServer(server_->socketPath());
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, request.data(), sent), static_cast<ssize_t>(sent));
    close(fd);  // before any answer could be read
  }
  expectServed();
}

TEST_F(MisbehavingClientTest, OneByteThenSilenceTimesOut) {
  start({"OSTREV_RECV_TIMEOUT=1"});
  int fd = connectToServer(server_->socketPath());
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "i", 1), 1);
  expectServed();  // waits behind the stalled client for at most the time-out
  close(fd);
}

TEST_F(MisbehavingClientTest, FloodOfConnections) {
  start();
  for (int i = 0; i < 300; ++i) {
    int fd = connectToServer(server_->socketPath());
    ASSERT_GE(fd, 0);
    close(fd);
  }
  expectServed();
}

}  // namespace
