#include "support/ServerUnderTest.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

namespace {

// Whether a socket bound to `path` listens, as the kernel lists it: the socket file exists
// from bind on, a connection is refused until listen. Read rather than probed, so that
// the server sees no connection of ours.
bool listening(const std::string& path) {
  constexpr unsigned long kAcceptsConnections = 0x10000;  // __SO_ACCEPTCON
  std::ifstream sockets("/proc/net/unix");
  std::string line;
  while (std::getline(sockets, line)) {
    if (line.size() <= path.size() ||
        line.compare(line.size() - path.size(), path.size(), path) != 0) {
      continue;
    }
    // Num RefCount Protocol Flags Type St Inode Path
    std::istringstream fields(line);
    std::string num, refCount, protocol, flags;
    fields >> num >> refCount >> protocol >> flags;
    if (std::strtoul(flags.c_str(), nullptr, 16) & kAcceptsConnections) return true;
  }
  return false;
}

}  // namespace

bool ServerUnderTest::ready() {
  long long deadline = monotonicMs() + 10000;
  while (monotonicMs() < deadline) {
    if (!program_->running()) return false;
    if (access(socketPath_.c_str(), F_OK) == 0 && listening(socketPath_)) return true;
    usleep(5000);
  }
  return false;
}
