#include "server_io.h"

#include <errno.h>
#include <malloc.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

bool serverListensOn(const char* path) {
  sockaddr_un address;
  unsigned length;
  if (!localAddress(path, &address, &length)) return false;
  unique_fd probe(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (probe.get() < 0) return false;
  return connect(probe.get(), reinterpret_cast<sockaddr*>(&address), length) == 0;
}

unique_fd listenOn(const char* path) {
  unique_fd listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (listener.get() < 0) {
    perror("socket");
    return unique_fd();
  }
  sockaddr_un address;
  unsigned length;
  if (!localAddress(path, &address, &length)) {
    errno = ENAMETOOLONG;
    perror("bind");
    return unique_fd();
  }
  unlink(path);
  // Open to everyone from the moment it exists: a socket made under the usual umask and
  // opened afterwards would refuse whoever connects in between.
  const mode_t umaskBefore = umask(0);
  const int bound = bind(listener.get(), reinterpret_cast<sockaddr*>(&address), length);
  umask(umaskBefore);
  if (bound != 0) {
    perror("bind");
    return unique_fd();
  }
  // The kernel's backlog only bridges the moments between two rounds of accepting.
  if (listen(listener.get(), SOMAXCONN) != 0) {
    perror("listen");
    return unique_fd();
  }
  return listener;
}

int acceptWaiting(int listener) {
  for (;;) {
    int fd = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0 || errno != EINTR) return fd;
  }
}

bool peerUid(int fd, uid_t* uid) {
  ucred credentials;
  socklen_t length = sizeof(credentials);
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return false;
  *uid = credentials.uid;
  return true;
}

long receiveAvailable(int fd, char* buffer, size_t size) {
  for (;;) {
    ssize_t n = recv(fd, buffer, size, MSG_DONTWAIT);
    if (n >= 0 || errno != EINTR) return static_cast<long>(n);
  }
}

long sendAvailable(int fd, const char* data, size_t size) {
  for (;;) {
    ssize_t n = send(fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n >= 0 || errno != EINTR) return static_cast<long>(n);
  }
}

int waitForEvents(pollfd* fds, size_t count, int timeoutMs) {
  for (;;) {
    int ready = poll(fds, count, timeoutMs);
    if (ready >= 0 || errno != EINTR) return ready;
  }
}

unique_fd stopSignals() {
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  if ((errno = pthread_sigmask(SIG_BLOCK, &stop, nullptr)) != 0) return unique_fd();
  return unique_fd(signalfd(-1, &stop, SFD_NONBLOCK | SFD_CLOEXEC));
}

int takeSignal(int fd) {
  signalfd_siginfo info;
  if (read(fd, &info, sizeof(info)) != static_cast<ssize_t>(sizeof(info))) return 0;
  return static_cast<int>(info.ssi_signo);
}

void returnLargeBlocksWhenFreed() { mallopt(M_MMAP_THRESHOLD, 128 * 1024); }

unique_fd wakeDescriptor() { return unique_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)); }

void wake(int fd) {
  const uint64_t one = 1;
  // A full counter already wakes the reader; nothing else can fail here.
  ssize_t written = write(fd, &one, sizeof(one));
  (void)written;
}

void clearWake(int fd) {
  uint64_t count;
  // Nothing to read is as good as having read it.
  ssize_t got = read(fd, &count, sizeof(count));
  (void)got;
}
