#include "read_request.h"

#include <errno.h>
#include <poll.h>

#include "engine/EnvironmentNumber.h"
#include "request_reader.h"
#include "server_io.h"
#include "wire/socket_io.h"

long long requestTimeoutMs() {
  static const long long ms = environmentNumber("OSTREV_RECV_TIMEOUT", 1, 86400, 30) * 1000LL;
  return ms;
}

std::unique_ptr<command> readRequest(int client_fd, int option_flags) {
  unique_fd client(client_fd);
  const long long deadline = monotonicMs() + requestTimeoutMs();
  RequestReader reader;
  while (!reader.readFrom(client.get())) {
    const long long remaining = deadline - monotonicMs();
    pollfd readable = {client.get(), POLLIN, 0};
    int ready = remaining > 0 ? waitForEvents(&readable, 1, static_cast<int>(remaining)) : 0;
    if (ready == 0) reader.fail(ETIMEDOUT);
    if (ready < 0) reader.fail(errno);
  }
  return reader.finish(std::move(client), option_flags);
}
