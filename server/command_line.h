// The ostrevd command line: option words (any number of leading dashes, abbreviations
// accepted) turned into the option word, the socket path and the database name. Runs on
// the main thread at start-up and prints the messages the words call for.
#ifndef OSTREV_SERVER_COMMAND_LINE_H_
#define OSTREV_SERVER_COMMAND_LINE_H_

#include <string>

#include "OptionFlags.h"

// The server's own bit of the option word: serve one connection, then stop. The engine
// never reads it.
constexpr int OPT_ONEREQUEST = 0x08;

constexpr int kMostWorkers = 64;

struct server_config {
  int option_flags = 0;
  std::string socket_path;  // empty: the default path
  std::string db_name;      // empty: the default database
  int workers = 1;          // threads answering requests, each with its own engine
  std::string http;         // the HTTP interface's ADDR:PORT; empty: none
};

// Returns -1 when the server should start, otherwise the status to exit with (version,
// help, or a value that cannot be used).
int parseCommandLine(int argc, char** argv, server_config* config);

#endif  // OSTREV_SERVER_COMMAND_LINE_H_
