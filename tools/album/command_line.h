// Reads ostrev-album's arguments: which server socket to ask and where the album
// descriptor comes from, or why there is nothing to send. A pure function of argv.
#ifndef OSTREV_TOOLS_ALBUM_COMMAND_LINE_H_
#define OSTREV_TOOLS_ALBUM_COMMAND_LINE_H_

#include <string>

struct AlbumCommandLine {
  enum Action {
    kSend,      // send the descriptor (from descriptorFile, or descriptorText)
    kShowHelp,  // --help
    kRefuse,    // bad arguments; `problem` says why
  };

  Action action = kRefuse;
  std::string socketPath;
  std::string descriptorFile;  // "-" is standard input; empty when given as text
  std::string descriptorText;  // the value of --descriptor
  std::string problem;
};

// Accepts "[--socket=PATH | --socket PATH] FILE" and "[--socket ...] --descriptor TEXT"
// (also "--descriptor=TEXT"), options in any order, and "--help". The socket path
// defaults to kDefaultSocketPath and must be 1 to kMaxPathBytes bytes long.
AlbumCommandLine parseAlbumCommandLine(int argc, const char* const argv[]);

#endif  // OSTREV_TOOLS_ALBUM_COMMAND_LINE_H_
