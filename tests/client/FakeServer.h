// A stand-in for ostrevd in a temporary directory of its own: accepts one connection on
// its own thread and follows a fixed script. The test thread owns it; request() and the
// destructor wait for the server thread. The directory and all in it go with the object.
#ifndef OSTREV_TESTS_CLIENT_FAKE_SERVER_H_
#define OSTREV_TESTS_CLIENT_FAKE_SERVER_H_

#include <functional>
#include <string>
#include <thread>

#include "wire/socket_io.h"

class FakeServer {
 public:
  // Reads one request (or what arrives before the client hangs up), sends `answer` and
  // hangs up.
  explicit FakeServer(std::string answer);
  // Hangs up as soon as a client connected, without reading, then runs `afterHangUp`
  // with the directory.
  using AfterHangUp = std::function<void(const std::string& directory)>;
  explicit FakeServer(AfterHangUp afterHangUp);
  ~FakeServer();

  FakeServer(const FakeServer&) = delete;
  FakeServer& operator=(const FakeServer&) = delete;

  const std::string& directory() const { return directory_; }
  const std::string& socketPath() const { return socketPath_; }

  // Writes a file into the directory and returns its path.
  std::string writeFile(const std::string& name, const std::string& content) const;

  // Waits for the server thread; the bytes the client sent (empty if none connected).
  const std::string& request();

 private:
  FakeServer(std::string answer, AfterHangUp afterHangUp);
  void serve();

  const std::string answer_;
  const AfterHangUp afterHangUp_;
  const std::string directory_;
  const std::string socketPath_;
  unique_fd listener_;
  unique_fd stop_;  // an eventfd, readable once the test no longer wants a connection
  std::string request_;
  std::thread thread_;
};

#endif  // OSTREV_TESTS_CLIENT_FAKE_SERVER_H_
