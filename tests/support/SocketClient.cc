#include "support/SocketClient.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>


#include "wire/socket_io.h"
#include "wire/variable_request.h"
#include "wire/wire_format.h"

std::string fixedRequest(const std::string& name, const std::string& artist,
                         const std::string& album, const std::string& track,
                         const std::string& isrc, const std::string& upc) {
  lookup_query query;
  setQueryField(query.command_name, sizeof(query.command_name), name);
  setQueryField(query.artist, sizeof(query.artist), artist);
  setQueryField(query.album, sizeof(query.album), album);
  setQueryField(query.track, sizeof(query.track), track);
  setQueryField(query.isrc, sizeof(query.isrc), isrc);
  setQueryField(query.upc, sizeof(query.upc), upc);
  return std::string(reinterpret_cast<const char*>(&query), sizeof(query));
}

std::string variableRequest(const std::string& text, const std::string& announced) {
  std::string request;
  if (!::variableRequest(text, &request)) return request;
  if (!announced.empty()) {
    request.replace(sizeof(kVariableName), kVariableLengthDigits, announced);
  }
  return request;
}

int connectToServer(const std::string& path, int timeoutSeconds) {
  sockaddr_un address;
  unsigned length;
  if (!localAddress(path.c_str(), &address, &length)) return -1;
  long long deadline = monotonicMs() + timeoutSeconds * 1000LL;
  for (;;) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) return fd;
    close(fd);
    if (monotonicMs() > deadline) return -1;
    usleep(10000);
  }
}

Exchange sendRequest(const std::string& path, const std::vector<std::string>& pieces,
                  bool halfClose, int timeoutSeconds) {
  Exchange result;
  unique_fd fd(connectToServer(path, timeoutSeconds));
  if (fd.get() < 0) return result;
  result.connected = true;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) usleep(20000);
    if (!sendFully(fd.get(), pieces[i].data(), pieces[i].size())) return result;
  }
  if (halfClose) shutdown(fd.get(), SHUT_WR);

  long long deadline = monotonicMs() + timeoutSeconds * 1000LL;
  for (;;) {
    long long remaining = deadline - monotonicMs();
    if (remaining <= 0) return result;
    pollfd p = {fd.get(), POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(remaining)) <= 0) continue;
    char buffer[4096];
    ssize_t n = recv(fd.get(), buffer, sizeof(buffer), 0);
    if (n <= 0) {
      result.closedByServer = true;
      return result;
    }
    result.answer.append(buffer, n);
  }
}
