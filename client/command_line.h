// Reads ostrevc's arguments: which server socket to ask, which song description file to
// send and how to show the answer, or why there is nothing to send. A pure function of
// argv; any thread.
#ifndef OSTREV_CLIENT_COMMAND_LINE_H_
#define OSTREV_CLIENT_COMMAND_LINE_H_

#include <string>

struct CommandLine {
  enum Action {
    kIdentify,          // ask the server about dataFile at socketPath
    kShowUsage,         // arguments missing
    kShowVersion,       // first argument "-v"
    kShowHelp,          // first argument "--help"
    kRefuseSocketPath,  // socket path empty or longer than kMaxPathBytes
    kRefuseCandidates,  // --candidates without a number from 1 to kMostCandidates
  };

  Action action = kShowUsage;
  std::string socketPath;
  std::string dataFile;  // "-" is standard input
  bool json = false;     // one JSON object in place of the eight lines
  int candidates = 0;    // ask for this many candidates (JSON) in place of the answer
};

// Accepts "file", "--socket=path file" and "--socket path file"; any number of leading
// dashes (none included) may precede "socket". "--json" and "--candidates N" (at least one
// dash) may stand anywhere before the file. Arguments past the data file are ignored. A
// first argument "-v" asks for the version, "--help" for the help.
CommandLine parseCommandLine(int argc, const char* const argv[]);

#endif  // OSTREV_CLIENT_COMMAND_LINE_H_
