// The socket calls of both programs and nothing else: complete sends and receives, the
// listening and connecting ends of the local socket. Failures come back as false or -1
// with errno set; callers report them with their own message prefix. Any thread.
#ifndef OSTREV_WIRE_SOCKET_IO_H_
#define OSTREV_WIRE_SOCKET_IO_H_

#include <sys/un.h>

#include <cstddef>
#include <string>

// Owns one descriptor and closes it when destroyed.
class unique_fd {
 public:
  explicit unique_fd(int fd = -1) : fd_(fd) {}
  ~unique_fd();
  unique_fd(const unique_fd&) = delete;
  unique_fd& operator=(const unique_fd&) = delete;
  unique_fd(unique_fd&& other) noexcept : fd_(other.release()) {}
  unique_fd& operator=(unique_fd&& other) noexcept;

  int get() const { return fd_; }
  // Hands the descriptor over; this object no longer closes it.
  int release();

 private:
  int fd_;
};

enum class ReadStatus { kComplete, kClosed, kFailed };

// Receives until `want` bytes have arrived (`*got` counts them), the peer closed, or a
// receive failed. With a deadline (a CLOCK_MONOTONIC time in milliseconds, or -1 for none)
// a peer that is too slow fails with ETIMEDOUT.
ReadStatus receiveFully(int fd, char* buffer, size_t want, size_t* got, long long deadlineMs);

// Appends to `*out` everything that arrives until the peer closes; false (errno set) when a
// receive failed. For replies that end where the server closes.
bool receiveUntilClosed(int fd, std::string* out);

// Sends every byte. A peer that went away is a failure (EPIPE), never a signal.
bool sendFully(int fd, const char* data, size_t length);

// False once the peer has closed the connection (or it failed); a peer that only shut down
// its sending side still waits for a reply. Never blocks.
bool peerConnected(int fd);

long long monotonicMs();

// Which step of connectLocal failed (errno tells why).
enum class ConnectFailure { kNone, kPathTooLong, kSocket, kConnect };

// A stream socket connected to the local socket at `path`; an invalid descriptor, with
// `*failure` and errno set, when that cannot be had.
unique_fd connectLocal(const std::string& path, ConnectFailure* failure);

// Fills the address the way both programs do; false when the path does not fit.
bool localAddress(const char* path, sockaddr_un* address, unsigned* length);

#endif  // OSTREV_WIRE_SOCKET_IO_H_
