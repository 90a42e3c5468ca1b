// A real ostrevd started for one test on a socket in a private folder, against the test
// catalogue. Killed, if still running, when destroyed.
#ifndef OSTREV_TESTS_SUPPORT_SERVERUNDERTEST_H_
#define OSTREV_TESTS_SUPPORT_SERVERUNDERTEST_H_

#include <memory>
#include <string>
#include <vector>

#include "support/SocketClient.h"
#include "support/Subprocess.h"

// The built ostrevd (from the OSTREVD environment variable the test harness sets).
std::string serverProgram();

class ServerUnderTest {
 public:
  // Starts ostrevd with `--socket=<private path>` followed by `args`.
  explicit ServerUnderTest(const std::vector<std::string>& args = {},
                           const std::vector<std::string>& env = {});
  ~ServerUnderTest();

  const std::string& socketPath() const { return socketPath_; }
  BackgroundProgram& program() { return *program_; }

  // Waits until the engine has started and the socket accepts connections.
  bool ready();

  Exchange send(const std::vector<std::string>& pieces, bool halfClose = false) {
    return sendRequest(socketPath_, pieces, halfClose);
  }

 private:
  std::string folder_;
  std::string socketPath_;
  std::unique_ptr<BackgroundProgram> program_;
};

#endif  // OSTREV_TESTS_SUPPORT_SERVERUNDERTEST_H_
