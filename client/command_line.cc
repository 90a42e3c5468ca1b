#include "client/command_line.h"

#include <cstring>

#include "Defaults.h"
#include "wire/wire_format.h"

namespace {

constexpr char kSocketOption[] = "socket";
constexpr size_t kSocketOptionLength = sizeof(kSocketOption) - 1;

}  // namespace

CommandLine parseCommandLine(int argc, const char* const argv[]) {
  CommandLine line;
  if (argc < 2) return line;
  const char* first = argv[1];
  if (strcmp(first, "-v") == 0) {
    line.action = CommandLine::kShowVersion;
    return line;
  }

  const char* option = first + strspn(first, "-");
  if (strncmp(option, kSocketOption, kSocketOptionLength) != 0) {
    line.action = CommandLine::kIdentify;
    line.socketPath = kDefaultSocketPath;
    line.dataFile = first;
    return line;
  }

  // "socket=path file" carries the path in the option itself, "socket path file" after it.
  int fileIndex;
  if (option[kSocketOptionLength] == '=') {
    line.socketPath = option + kSocketOptionLength + 1;
    fileIndex = 2;
  } else {
    if (argc < 3) return line;
    line.socketPath = argv[2];
    fileIndex = 3;
  }
  if (argc <= fileIndex) return line;
  line.dataFile = argv[fileIndex];
  line.action = line.socketPath.empty() || line.socketPath.size() > kMaxPathBytes
                    ? CommandLine::kRefuseSocketPath
                    : CommandLine::kIdentify;
  return line;
}
