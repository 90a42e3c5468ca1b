#include "read_request.h"

#include <errno.h>
#include <poll.h>

#include "intake_limits.h"
#include "request_reader.h"
#include "server_io.h"
#include "wire/socket_io.h"

std::unique_ptr<command> readRequest(unique_fd client, int option_flags) {
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
