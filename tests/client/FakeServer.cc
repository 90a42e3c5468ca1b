#include "client/FakeServer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "support/Subprocess.h"
#include "wire/wire_format.h"

namespace {

// Bounds every wait so a faulty client fails its test instead of hanging the run.
constexpr int kWaitMs = 10000;

void check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + " failed");
}

// Descriptors are close-on-exec, so the client processes a test starts do not hold them.
int listenOn(const std::string& path) {
  unique_fd listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  check(listener.get() >= 0, "socket");
  sockaddr_un address;
  unsigned length;
  check(localAddress(path.c_str(), &address, &length), "localAddress");
  check(bind(listener.get(), reinterpret_cast<sockaddr*>(&address), length) == 0, "bind");
  check(listen(listener.get(), 1) == 0, "listen");
  return listener.release();
}

int makeStopEvent() {
  int fd = eventfd(0, EFD_CLOEXEC);
  check(fd >= 0, "eventfd");
  return fd;
}

}  // namespace

FakeServer::FakeServer(std::string answer) : FakeServer(std::move(answer), nullptr) {}

FakeServer::FakeServer(AfterHangUp afterHangUp)
    : FakeServer(std::string(), std::move(afterHangUp)) {}

FakeServer::FakeServer(std::string answer, AfterHangUp afterHangUp)
    : answer_(std::move(answer)),
      afterHangUp_(std::move(afterHangUp)),
      directory_(makeTempFolder()),
      socketPath_(directory_ + "/socket"),
      listener_(listenOn(socketPath_)),
      stop_(makeStopEvent()),
      thread_(&FakeServer::serve, this) {}

FakeServer::~FakeServer() {
  if (thread_.joinable()) {
    eventfd_write(stop_.get(), 1);
    thread_.join();
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::string FakeServer::writeFile(const std::string& name, const std::string& content) const {
  std::string path = directory_ + "/" + name;
  std::unique_ptr<FILE, int (*)(FILE*)> file(fopen(path.c_str(), "wb"), fclose);
  check(file != nullptr, "fopen");
  check(fwrite(content.data(), 1, content.size(), file.get()) == content.size(), "fwrite");
  return path;
}

const std::string& FakeServer::request() {
  if (thread_.joinable()) thread_.join();
  return request_;
}

void FakeServer::serve() {
  pollfd waits[2] = {{listener_.get(), POLLIN, 0}, {stop_.get(), POLLIN, 0}};
  if (poll(waits, 2, kWaitMs) <= 0 || !(waits[0].revents & POLLIN)) return;
  {
    unique_fd connection(accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (connection.get() < 0) return;
    if (!afterHangUp_) {
      char buffer[kQuerySize];
      size_t got = 0;
      receiveFully(connection.get(), buffer, sizeof(buffer), &got, monotonicMs() + kWaitMs);
      request_.assign(buffer, got);
      sendFully(connection.get(), answer_.data(), answer_.size());
    }
  }  // hangs up
  if (afterHangUp_) afterHangUp_(directory_);
}
