#include "support/ServerUnderTest.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "wire/socket_io.h"

std::string serverProgram() {
  const char* path = getenv("OSTREVD");
  return path != nullptr ? path : "ostrevd";
}

ServerUnderTest::ServerUnderTest(const std::vector<std::string>& args,
                                 const std::vector<std::string>& env)
    : folder_(makeTempFolder()), socketPath_(folder_ + "/ostrevd.sock") {
  std::vector<std::string> argv = {serverProgram(), "--socket=" + socketPath_};
  argv.insert(argv.end(), args.begin(), args.end());
  program_ = std::make_unique<BackgroundProgram>(argv, env);
}

ServerUnderTest::~ServerUnderTest() {
  program_.reset();
  unlink(socketPath_.c_str());
  rmdir(folder_.c_str());
}

bool ServerUnderTest::ready() {
  long long deadline = monotonicMs() + 10000;
  while (monotonicMs() < deadline) {
    if (!program_->running()) return false;
    if (access(socketPath_.c_str(), F_OK) == 0) return true;
    usleep(5000);
  }
  return false;
}
