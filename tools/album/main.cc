// ostrev-album: asks a running ostrevd to identify every track of an album at once. The
// album descriptor ("album:A|artist:B|title:T1|title:T2|...") comes from a file, standard
// input or the command line; the server's reply, read until the server closes, is printed
// as it is. Every failure prints one message and ends with status 1.
#include <cstdio>
#include <string>

#include "tools/album/command_line.h"
#include "tools/album/descriptor_file.h"
#include "Defaults.h"
#include "wire/client_exchange.h"
#include "wire/variable_request.h"

namespace {

constexpr char kUsage[] =
    "usage: ostrev-album [--socket=PATH] DESCRIPTOR-FILE      (- is standard input)\n"
    "       ostrev-album [--socket=PATH] --descriptor TEXT\n"
    "       ostrev-album -h | --help\n"
    "\n"
    "Sends an album descriptor to ostrevd and prints the identified tracks. A descriptor\n"
    "is a list of key:value items, each ended by '|': album, artist and upc for the\n"
    "album, then title (starting a track), artist and isrc for each track, e.g.\n"
    "\n"
    "  album:Second Line Sunday|artist:The Saltwater Brass Band|title:Sweet Magnolia|\n"
    "\n"
    "A trailing newline in the file is dropped. The socket defaults to\n"
    "%s.\n";

// An album's reply grows with its tracks (about 700 bytes each, up to the server's bound on
// tracks); this is far past any.
constexpr size_t kMostReplyBytes = size_t{1} << 30;

int fail(const std::string& message) {
  fprintf(stderr, "ostrev-album: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  AlbumCommandLine line = parseAlbumCommandLine(argc, argv);
  switch (line.action) {
    case AlbumCommandLine::kShowHelp:
      printf(kUsage, kDefaultSocketPath);
      return 0;
    case AlbumCommandLine::kRefuse:
      return fail(line.problem + " (see --help)");
    case AlbumCommandLine::kSend:
      break;
  }

  // The whole descriptor is read before connecting: the server reads requests one at a
  // time, and a client slow to type would hold up everyone else's.
  std::string descriptor = line.descriptorText;
  std::string problem;
  if (!line.descriptorFile.empty() &&
      !readDescriptorFile(line.descriptorFile, maxAlbumDescriptorBytes(), &descriptor, &problem)) {
    return fail(problem);
  }
  std::string request;
  if (!albumTracksRequest(descriptor, &request)) {
    return fail("the album descriptor is too long: at most " +
                std::to_string(maxAlbumDescriptorBytes()) + " bytes");
  }
  // The reply has no length of its own: it ends where the server closes. An album takes as
  // long as its tracks take: no deadline.
  Exchange exchange =
      exchangeOnce(line.socketPath, request, kAnswerEndsAtClose, 0, kMostReplyBytes);
  if (!exchange.answered) return fail(exchange.problem);
  fwrite(exchange.answer.data(), 1, exchange.answer.size(), stdout);
  return 0;
}
