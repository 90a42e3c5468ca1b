// The reading of one request from one connection on the calling thread, for programs that
// serve one connection at a time. Any thread.
#ifndef OSTREV_SERVER_READ_REQUEST_H_
#define OSTREV_SERVER_READ_REQUEST_H_

#include <memory>

#include "command.h"
#include "wire/socket_io.h"

// Reads one whole request from `client` (within requestTimeoutMs()) and turns it into a
// command with the request log lines; the command owns the connection from here on (or it
// has been closed). Never returns null.
std::unique_ptr<command> readRequest(unique_fd client, int option_flags);

#endif  // OSTREV_SERVER_READ_REQUEST_H_
