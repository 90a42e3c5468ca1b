// Reading requests: the whole-request time limit every connection is read against, and
// the reading of one request from one connection on the calling thread, for programs that
// serve one connection at a time. Any thread.
#ifndef OSTREV_SERVER_READ_REQUEST_H_
#define OSTREV_SERVER_READ_REQUEST_H_

#include <memory>

#include "command.h"

// OSTREV_RECV_TIMEOUT seconds (1 to 86400, default 30) in milliseconds: a client gets this
// long from connecting to the end of its request.
long long requestTimeoutMs();

// Reads one whole request from `client_fd` (within requestTimeoutMs()) and turns it into a
// command with the request log lines; the command owns the connection from here on (or it
// has been closed). Never returns null.
std::unique_ptr<command> readRequest(int client_fd, int option_flags);

#endif  // OSTREV_SERVER_READ_REQUEST_H_
