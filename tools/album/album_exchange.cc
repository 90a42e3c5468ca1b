#include "tools/album/album_exchange.h"

#include <errno.h>

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
  ConnectFailure failure;
  unique_fd connection = connectLocal(socketPath, &failure);
  switch (failure) {
    case ConnectFailure::kPathTooLong:
      *problem = "socket path too long: " + socketPath;
      return false;
    case ConnectFailure::kSocket:
      return failed("socket", problem);
    case ConnectFailure::kConnect:
      return failed("cannot connect to " + socketPath, problem);
    case ConnectFailure::kNone:
      break;
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
