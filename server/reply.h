// Reply: a finished answer and the connection it goes back on. A worker's command makes it;
// the intake writes it as the client reads and closes the connection after the last byte.
// Owns the connection; moved between threads, never shared.
#ifndef OSTREV_SERVER_REPLY_H_
#define OSTREV_SERVER_REPLY_H_

#include <string>

#include "wire/socket_io.h"

struct Reply {
  unique_fd client;
  std::string bytes;
  // How a failed write is reported, as perror would print it ("ERROR: send result").
  const char* sendFailure;
};

#endif  // OSTREV_SERVER_REPLY_H_
