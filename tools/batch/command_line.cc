#include "tools/batch/command_line.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "Defaults.h"
#include "tools/option_match.h"
#include "wire/http_token.h"
#include "wire/wire_format.h"

namespace {

constexpr int kMaxConnections = 64;

// The server is on this machine, and its workers are worth at most one core each: two
// connections a core keep every worker busy while the other answer travels.
int defaultConnections() {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::min(std::max(2 * cores, 4), kMaxConnections);
}

BatchCommandLine refused(const std::string& problem) {
  BatchCommandLine line;
  line.problem = problem;
  return line;
}

// A whole number from 1 to `most` (at most two digits).
bool parseCount(const std::string& text, int most, int* count) {
  if (text.empty() || text.size() > 2 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *count = std::stoi(text);
  return *count >= 1 && *count <= most;
}

}  // namespace

BatchCommandLine parseBatchCommandLine(int argc, const char* const argv[]) {
  BatchCommandLine line;
  line.socketPath = kDefaultSocketPath;
  line.connections = defaultConnections();
  line.inputPath = "-";
  bool haveInput = false;
  bool haveSocket = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      line.action = BatchCommandLine::kShowHelp;
      return line;
    }
    if (strcmp(arg, "--resume") == 0) {
      line.resume = true;
      continue;
    }
    std::string value;
    bool matched = false;
    for (const char* name : {"--socket", "--url", "--connections", "--candidates",
                             "--input-format", "--format", "--output"}) {
      OptionMatch match = matchOption(argc, argv, &i, name, &value);
      if (match == OptionMatch::kNo) continue;
      if (match == OptionMatch::kMissingValue) return refused(std::string(name) + " needs a value");
      matched = true;
      Format format;
      if (strcmp(name, "--socket") == 0) {
        line.socketPath = value;
        haveSocket = true;
      } else if (strcmp(name, "--url") == 0) {
        HttpEndpoint endpoint;
        std::string problem;
        if (!parseHttpUrl(value, &endpoint, &problem) ||
            !readHttpToken(&endpoint.token, &problem)) {
          return refused(problem);
        }
        line.http = endpoint;
      } else if (strcmp(name, "--connections") == 0) {
        if (!parseCount(value, kMaxConnections, &line.connections)) {
          return refused("--connections must be 1 to " + std::to_string(kMaxConnections));
        }
      } else if (strcmp(name, "--candidates") == 0) {
        if (!parseCount(value, kMostCandidates, &line.candidates)) {
          return refused("--candidates must be 1 to " + std::to_string(kMostCandidates));
        }
      } else if (strcmp(name, "--output") == 0) {
        if (value.empty()) return refused("--output needs a file name");
        line.outputPath = value;
      } else if (!formatNamed(value, &format)) {
        return refused(std::string(name) + " must be tsv, csv or jsonl, not '" + value + "'");
      } else if (strcmp(name, "--format") == 0) {
        line.outputFormat = format;
      } else {
        line.inputFormat = format;
      }
      break;
    }
    if (matched) continue;
    // "-" alone is standard input; anything else starting with '-' is an unknown option.
    if (arg[0] == '-' && arg[1] != '\0')
      return refused(std::string("unknown option '") + arg + "'");
    if (haveInput) return refused(std::string("more than one input file: '") + arg + "'");
    line.inputPath = arg;
    haveInput = true;
  }

  if (haveSocket && line.http) return refused("--socket and --url exclude each other");
  if (line.socketPath.empty() || line.socketPath.size() > kMaxPathBytes) {
    return refused("socket path must be 1 to " + std::to_string(kMaxPathBytes) + " bytes long");
  }
  if (line.resume && line.outputPath.empty()) return refused("--resume needs --output FILE");
  if (line.outputPath == line.inputPath) return refused("the output must not be the input");
  Format named;
  if (formatOfPath(line.inputPath, &named)) {
    if (line.inputFormat && *line.inputFormat != named) {
      return refused("--input-format " + std::string(formatName(*line.inputFormat)) +
                     " contradicts the name '" + line.inputPath + "'");
    }
    line.inputFormat = named;
  }
  line.action = BatchCommandLine::kRun;
  return line;
}
