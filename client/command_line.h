// Reads ostrevc's arguments: which server socket to ask and which song description file
// to send, or why there is nothing to send. A pure function of argv; any thread.
#ifndef OSTREV_CLIENT_COMMAND_LINE_H_
#define OSTREV_CLIENT_COMMAND_LINE_H_

#include <string>

struct CommandLine {
  enum Action {
    kIdentify,          // ask the server about dataFile at socketPath
    kShowUsage,         // arguments missing
    kShowVersion,       // first argument "-v"
    kRefuseSocketPath,  // socket path empty or longer than kMaxPathBytes
  };

  Action action = kShowUsage;
  std::string socketPath;
  std::string dataFile;  // "-" is standard input
};

// Accepts "file", "--socket=path file" and "--socket path file"; any number of leading
// dashes (none included) may precede "socket". Arguments past the data file are ignored.
CommandLine parseCommandLine(int argc, const char* const argv[]);

#endif  // OSTREV_CLIENT_COMMAND_LINE_H_
