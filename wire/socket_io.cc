#include "wire/socket_io.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cstring>

unique_fd::~unique_fd() {
  if (fd_ >= 0) close(fd_);
}

unique_fd& unique_fd::operator=(unique_fd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.release();
  }
  return *this;
}

int unique_fd::release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

long long monotonicMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

namespace {

// Waits until `fd` is readable or the deadline passed; false with errno set otherwise.
bool waitReadable(int fd, long long deadlineMs) {
  if (deadlineMs < 0) return true;
  for (;;) {
    long long remaining = deadlineMs - monotonicMs();
    if (remaining <= 0) {
      errno = ETIMEDOUT;
      return false;
    }
    pollfd p = {fd, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(remaining));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

}  // namespace

ReadStatus receiveFully(int fd, char* buffer, size_t want, size_t* got, long long deadlineMs) {
  *got = 0;
  while (*got < want) {
    if (!waitReadable(fd, deadlineMs)) return ReadStatus::kFailed;
    ssize_t n = recv(fd, buffer + *got, want - *got, 0);
    if (n > 0) {
      *got += static_cast<size_t>(n);
    } else if (n == 0) {
      return ReadStatus::kClosed;
    } else if (errno != EINTR) {
      return ReadStatus::kFailed;
    }
  }
  return ReadStatus::kComplete;
}

bool receiveUntilClosed(int fd, std::string* out) {
  char buffer[65536];
  for (;;) {
    size_t got = 0;
    ReadStatus status = receiveFully(fd, buffer, sizeof(buffer), &got, -1);
    out->append(buffer, got);
    if (status == ReadStatus::kClosed) return true;
    if (status == ReadStatus::kFailed) return false;
  }
}

bool sendFully(int fd, const char* data, size_t length) {
  size_t sent = 0;
  while (sent < length) {
    ssize_t n = send(fd, data + sent, length - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
    } else if (n == 0) {
      errno = EIO;  // no progress: give up rather than spin
      return false;
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

bool peerConnected(int fd) {
  // On a local socket POLLHUP means both directions are shut: the peer closed. A peer
  // that only shut its sending side shows POLLRDHUP alone.
  pollfd p = {fd, 0, 0};
  if (poll(&p, 1, 0) <= 0) return true;
  return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

unique_fd connectLocal(const std::string& path, ConnectFailure* failure) {
  sockaddr_un address;
  unsigned length;
  if (!localAddress(path.c_str(), &address, &length)) {
    errno = ENAMETOOLONG;
    *failure = ConnectFailure::kPathTooLong;
    return unique_fd();
  }
  unique_fd connection(socket(AF_UNIX, SOCK_STREAM, 0));
  if (connection.get() < 0) {
    *failure = ConnectFailure::kSocket;
    return connection;
  }
  if (connect(connection.get(), reinterpret_cast<sockaddr*>(&address), length) != 0) {
    *failure = ConnectFailure::kConnect;
    return unique_fd();
  }
  *failure = ConnectFailure::kNone;
  return connection;
}

bool localAddress(const char* path, sockaddr_un* address, unsigned* length) {
  size_t pathLength = strlen(path);
  if (pathLength >= sizeof(address->sun_path)) return false;
  memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  memcpy(address->sun_path, path, pathLength);
  *length = static_cast<unsigned>(offsetof(sockaddr_un, sun_path) + pathLength);
  return true;
}
