// Turning the bytes of one accepted connection into a command, with the request log lines.
// Runs on the listener (main) thread; the command owns the connection afterwards (or it has
// been closed). Never returns null.
#ifndef OSTREV_SERVER_READ_REQUEST_H_
#define OSTREV_SERVER_READ_REQUEST_H_

#include <memory>

#include "command.h"

std::unique_ptr<command> readRequest(int client_fd, int option_flags);

#endif  // OSTREV_SERVER_READ_REQUEST_H_
