// Clients that close early, never read, stall after one byte, flood the listener or send
// half of many large requests: the server stays up and keeps serving the others.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "wire/socket_io.h"
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

// An album reply far larger than the socket's buffers: the only worker must not wait for
// a client that never reads it.
TEST_F(MisbehavingClientTest, ClientThatNeverReadsALargeReply) {
  start({"OSTREV_SEND_TIMEOUT=2"});
  std::string descriptor = "identify_album_tracks|album:Abbey Road|artist:The Beatles|";
  for (int i = 0; i < 2000; ++i) descriptor += "title:Come Together|";
  const std::string request = variableRequest(descriptor);
  int fd = connectToServer(server_->socketPath());
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
  ASSERT_TRUE(server_->program().waitForOutput("OCRData.title:  [Come Together]", 2000, 60));
  expectServed();
  EXPECT_TRUE(server_->program().waitForOutput("reply abandoned: client not reading\n"))
      << server_->program().out();
  // The server let go of the connection: what the client can still read ends.
  std::string got;
  EXPECT_TRUE(receiveUntilClosed(fd, &got));
  EXPECT_LT(got.size(), 2000 * 200u);
  close(fd);
  expectServed();
}

// Many requests stopped half-way hold no more than the budget: the largest are dropped,
// the others and new clients are served.
TEST_F(MisbehavingClientTest, HalfSentRequestsShareTheBudget) {
  start({"OSTREV_PENDING_BYTES=1048576"});
  const std::string request = variableRequest("identify_album_tracks|album:X|" +
                                              std::string(999999 - 46, 'x') + "|");
  ASSERT_EQ(request.size(), 999999u);
  std::vector<int> halfSent;
  for (size_t part : {600000, 100000, 100000, 100000, 100000, 100000}) {
    int fd = connectToServer(server_->socketPath());
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, request.data(), part), static_cast<ssize_t>(part));
    halfSent.push_back(fd);
  }
  ASSERT_TRUE(server_->program().waitForOutput("Dropped the connection holding most: ", 1))
      << server_->program().out();
  expectServed();
  // What is dropped is the largest: the connection that sent 600,000 bytes is closed.
  pollfd closed = {halfSent[0], POLLIN, 0};
  ASSERT_EQ(poll(&closed, 1, 5000), 1);
  char byte;
  EXPECT_EQ(read(halfSent[0], &byte, 1), 0);
  for (int fd : halfSent) close(fd);
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
