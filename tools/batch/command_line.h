// Reads ostrev-batch's arguments: the server's socket or URL, how many connections, the input and
// its format, the output, its format and whether to resume it, or why they are refused.
// A function of argv and the number of cores; any thread.
#ifndef OSTREV_TOOLS_BATCH_COMMAND_LINE_H_
#define OSTREV_TOOLS_BATCH_COMMAND_LINE_H_

#include <optional>
#include <string>

#include "tools/batch/formats.h"
#include "tools/batch/http_url.h"

struct BatchCommandLine {
  enum Action {
    kRun,       // run the batch
    kShowHelp,  // --help
    kRefuse,    // bad arguments; `problem` says why
  };

  Action action = kRefuse;
  std::string socketPath;
  std::optional<HttpEndpoint> http;  // ask over HTTP there instead of the socket
  int connections = 0;
  std::string inputPath;               // "-" is standard input
  std::optional<Format> inputFormat;   // none: sniffed from the first line
  std::optional<Format> outputFormat;  // none: the input's
  std::string outputPath;              // "" is standard output
  bool resume = false;
  int candidates = 0;  // ask for this many candidates of each row; 0: the fixed identify request
  std::string problem;
};

// Accepts, in any order, "--socket PATH" or "--url URL", "--connections K", "--input-format F",
// "--format F", "--output FILE", "--candidates N" (each also as "--name=value"),
// "--resume", "--help" and at most one input file ("-" or none: standard input). The
// input's format is its file name's extension's, else --input-format's; the two must not
// disagree. The socket defaults to kDefaultSocketPath (1 to kMaxPathBytes bytes); K is 1
// to 64, default twice the cores (at least 4); N is 1 to kMostCandidates; --resume needs
// --output, which must not name the input; --socket and --url (http://HOST[:PORT])
// exclude each other.
BatchCommandLine parseBatchCommandLine(int argc, const char* const argv[]);

#endif  // OSTREV_TOOLS_BATCH_COMMAND_LINE_H_
