#include "tools/album/album_exchange.h"

#include <errno.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>

#include "wire/socket_io.h"

namespace {

bool failed(const std::string& what, std::string* problem) {
  *problem = what + ": " + strerror(errno);
  return false;
}

}  // namespace

bool exchangeWithServer(const std::string& socketPath, const std::string& request,
                        std::string* reply, std::string* problem) {
  sockaddr_un address;
  unsigned addressLength;
  if (!localAddress(socketPath.c_str(), &address, &addressLength)) {
    *problem = "socket path too long: " + socketPath;
    return false;
  }
  unique_fd connection(socket(AF_UNIX, SOCK_STREAM, 0));
  if (connection.get() < 0) return failed("socket", problem);
  if (connect(connection.get(), reinterpret_cast<sockaddr*>(&address), addressLength) != 0) {
    return failed("cannot connect to " + socketPath, problem);
  }
  if (!sendFully(connection.get(), request.data(), request.size())) {
    return failed("sending the request", problem);
  }

  // The reply has no length of its own: it ends where the server closes.
  reply->clear();
  if (!receiveUntilClosed(connection.get(), reply)) return failed("receiving the reply", problem);
  if (reply->empty()) {
    *problem = "the server closed the connection without a reply";
    return false;
  }
  return true;
}
