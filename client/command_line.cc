#include "client/command_line.h"

#include <cstdlib>
#include <cstring>

#include "Defaults.h"
#include "wire/wire_format.h"

namespace {

constexpr char kSocketOption[] = "socket";
constexpr size_t kSocketOptionLength = sizeof(kSocketOption) - 1;

// The number of "--candidates N", or 0 when N is not one from 1 to kMostCandidates.
int candidateCount(const char* text) {
  char* end = nullptr;
  const long count = strtol(text, &end, 10);
  if (end == text || *end != '\0' || count < 1 || count > kMostCandidates) return 0;
  return static_cast<int>(count);
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const argv[]) {
  CommandLine line;
  if (argc < 2) return line;
  if (strcmp(argv[1], "-v") == 0) {
    line.action = CommandLine::kShowVersion;
    return line;
  }
  if (strcmp(argv[1], "--help") == 0) {
    line.action = CommandLine::kShowHelp;
    return line;
  }

  bool socketGiven = false;
  int i = 1;
  for (; i < argc; ++i) {
    const size_t dashes = strspn(argv[i], "-");
    const char* option = argv[i] + dashes;
    // The new words need a dash, so that a file of that name is still read as before.
    if (dashes > 0 && strcmp(option, "json") == 0) {
      line.json = true;
      continue;
    }
    if (dashes > 0 && strcmp(option, "candidates") == 0) {
      if (++i >= argc) return line;
      line.candidates = candidateCount(argv[i]);
      if (line.candidates == 0) {
        line.action = CommandLine::kRefuseCandidates;
        return line;
      }
      continue;
    }
    if (socketGiven || strncmp(option, kSocketOption, kSocketOptionLength) != 0) break;
    // "socket=path file" carries the path in the option itself, "socket path file" after it.
    socketGiven = true;
    if (option[kSocketOptionLength] == '=') {
      line.socketPath = option + kSocketOptionLength + 1;
    } else {
      if (++i >= argc) return line;
      line.socketPath = argv[i];
    }
  }
  if (i >= argc) return line;
  line.dataFile = argv[i];
  if (!socketGiven) line.socketPath = kDefaultSocketPath;
  line.action = line.socketPath.empty() || line.socketPath.size() > kMaxPathBytes
                    ? CommandLine::kRefuseSocketPath
                    : CommandLine::kIdentify;
  return line;
}
