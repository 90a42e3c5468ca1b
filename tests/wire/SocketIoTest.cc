#include "wire/socket_io.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace {

// A connected pair: `ours` is the end under test, `theirs` plays the peer.
class SocketPair {
 public:
  SocketPair() {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds_) != 0) fds_[0] = fds_[1] = -1;
  }
  ~SocketPair() {
    for (int fd : fds_) {
      if (fd >= 0) close(fd);
    }
  }
  int ours() const { return fds_[0]; }
  int theirs() const { return fds_[1]; }
  void closeTheirs() {
    close(fds_[1]);
    fds_[1] = -1;
  }

 private:
  int fds_[2];
};

TEST(SocketIoTest, SendToAVanishedPeerFailsWithoutASignal) {
  SocketPair pair;
  pair.closeTheirs();
  std::string data(100000, 'x');
  errno = 0;
  EXPECT_FALSE(sendFully(pair.ours(), data.data(), data.size()));
  EXPECT_EQ(errno, EPIPE);  // and the test process is still alive
}

TEST(SocketIoTest, ReceiveCollectsPiecesUntilComplete) {
  SocketPair pair;
  ASSERT_EQ(write(pair.theirs(), "abc", 3), 3);
  ASSERT_EQ(write(pair.theirs(), "defg", 4), 4);
  char buffer[7];
  size_t got = 0;
  EXPECT_EQ(receiveFully(pair.ours(), buffer, 7, &got, -1), ReadStatus::kComplete);
  EXPECT_EQ(std::string(buffer, got), "abcdefg");
}

TEST(SocketIoTest, ReceiveReportsAnEarlyCloseWithTheCount) {
  SocketPair pair;
  ASSERT_EQ(write(pair.theirs(), "abc", 3), 3);
  pair.closeTheirs();
  char buffer[10];
  size_t got = 0;
  EXPECT_EQ(receiveFully(pair.ours(), buffer, 10, &got, -1), ReadStatus::kClosed);
  EXPECT_EQ(got, 3u);
}

TEST(SocketIoTest, ReceiveGivesUpAtTheDeadline) {
  SocketPair pair;
  ASSERT_EQ(write(pair.theirs(), "a", 1), 1);
  char buffer[10];
  size_t got = 0;
  long long start = monotonicMs();
  EXPECT_EQ(receiveFully(pair.ours(), buffer, 10, &got, start + 100), ReadStatus::kFailed);
  EXPECT_EQ(errno, ETIMEDOUT);
  EXPECT_EQ(got, 1u);
  EXPECT_GE(monotonicMs() - start, 100);
}

TEST(SocketIoTest, AddressRefusesPathsThatDoNotFit) {
  sockaddr_un address;
  unsigned length = 0;
  EXPECT_TRUE(localAddress("/tmp/s", &address, &length));
  EXPECT_EQ(length, 2u + 6u);
  EXPECT_STREQ(address.sun_path, "/tmp/s");
  EXPECT_TRUE(localAddress(std::string(107, 'p').c_str(), &address, &length));
  EXPECT_FALSE(localAddress(std::string(108, 'p').c_str(), &address, &length));
}

TEST(SocketIoTest, UniqueFdClosesUnlessReleased) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  { unique_fd owner(fds[0]); }
  EXPECT_EQ(fcntl(fds[0], F_GETFD), -1);
  int kept;
  {
    unique_fd owner(fds[1]);
    kept = owner.release();
  }
  EXPECT_NE(fcntl(kept, F_GETFD), -1);
  close(kept);
}

}  // namespace
