#include "tools/album/command_line.h"

#include <cstring>

#include "Defaults.h"
#include "tools/option_match.h"
#include "wire/wire_format.h"

namespace {

AlbumCommandLine refused(const std::string& problem) {
  AlbumCommandLine line;
  line.problem = problem;
  return line;
}

}  // namespace

AlbumCommandLine parseAlbumCommandLine(int argc, const char* const argv[]) {
  AlbumCommandLine line;
  line.socketPath = kDefaultSocketPath;
  bool haveFile = false;
  bool haveText = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      line.action = AlbumCommandLine::kShowHelp;
      return line;
    }
    switch (matchOption(argc, argv, &i, "--socket", &line.socketPath)) {
      case OptionMatch::kYes: continue;
      case OptionMatch::kMissingValue: return refused("--socket needs a path");
      case OptionMatch::kNo: break;
    }
    switch (matchOption(argc, argv, &i, "--descriptor", &line.descriptorText)) {
      case OptionMatch::kYes: haveText = true; continue;
      case OptionMatch::kMissingValue: return refused("--descriptor needs a text");
      case OptionMatch::kNo: break;
    }
    // "-" alone is standard input; anything else starting with '-' is an unknown option.
    if (arg[0] == '-' && arg[1] != '\0') {
      return refused(std::string("unknown option '") + arg + "'");
    }
    if (haveFile) return refused(std::string("more than one descriptor file: '") + arg + "'");
    line.descriptorFile = arg;
    haveFile = true;
  }

  if (haveFile && haveText) return refused("give a descriptor file or --descriptor, not both");
  if (!haveFile && !haveText) return refused("no album descriptor given");
  if (line.socketPath.empty() || line.socketPath.size() > kMaxPathBytes) {
    return refused("socket path must be 1 to " + std::to_string(kMaxPathBytes) + " bytes long");
  }
  line.action = AlbumCommandLine::kSend;
  return line;
}
