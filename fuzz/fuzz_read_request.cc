// Fuzz target: the server's request intake. The first input byte picks the option word
// (bit 0: quiet); the rest arrives on a socket the way a client's request does, then the
// writer closes. readRequest turns it into a command, which is deleted unrun.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "TextTrackLookup.h"
#include "identify_album_tracks_command.h"
#include "identify_candidates_command.h"
#include "identify_command.h"
#include "read_request.h"
#include "wire/wire_format.h"

namespace {

bool isClosed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The request log goes to standard output; libFuzzer reports on standard error.
  if (!freopen("/dev/null", "w", stdout)) abort();
  // The server reports failed reads with perror; scripts/run-fuzz passes -close_fd_mask=2,
  // which sends standard error to /dev/null and libFuzzer's own reports to a copy of it.
  // Failed checks go to a copy taken before that.
  reportChecksTo(dup(2));
  // Read once, by the first request: a short input must never wait the default 30 s.
  setenv("OSTREV_RECV_TIMEOUT", "1", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int option_flags = data[0] & 1 ? OPT_SYNONYM : 0;
  ++data;
  --size;

  int ends[2];
  check(socketpair(AF_UNIX, SOCK_STREAM, 0, ends) == 0, "socketpair failed (leaked descriptors?)");
  const int client = ends[0];
  const int server = ends[1];
  // An input larger than the socket buffer is cut where the buffer is full, as if the
  // client had closed there: the reader's side of the story is the same.
  fcntl(client, F_SETFL, O_NONBLOCK);
  size_t written = 0;
  while (written < size) {
    ssize_t n = write(client, data + written, size - written);
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  close(client);

  std::unique_ptr<command> owned = readRequest(unique_fd(server), option_flags);
  command* cmd = owned.get();
  check(cmd != nullptr, "readRequest returned null");
  if (auto* identify = dynamic_cast<identify_command*>(cmd)) {
    check(identify->client.get() == server, "identify command holds another descriptor");
    check(written == kShortQuerySize || written >= kQuerySize, "identify of a cut request");
    // The texts are the fields as sent; a short request has no ISRC and UPC.
    const char* sent = reinterpret_cast<const char*>(data);
    const bool whole = written >= kQuerySize;
    check(
        identify->artist == fieldText(sent + offsetof(lookup_query, artist), 200) &&
            identify->album == fieldText(sent + offsetof(lookup_query, album), 200) &&
            identify->track == fieldText(sent + offsetof(lookup_query, track), 200) &&
            identify->isrc == (whole ? fieldText(sent + offsetof(lookup_query, isrc), 200) : "") &&
            identify->upc == (whole ? fieldText(sent + offsetof(lookup_query, upc), 200) : ""),
        "identify texts differ from the fields sent");
  } else if (auto* album = dynamic_cast<identify_album_tracks_command*>(cmd)) {
    check(album->client.get() == server, "album-tracks command holds another descriptor");
    // The descriptor is the end of the announced text, which was all received.
    const long total = variableLength(reinterpret_cast<const char*>(data));
    const std::string& text = album->request_text;
    check(
        total >= static_cast<long>(kVariableHeaderSize + text.size()) &&
            static_cast<size_t>(total) <= written &&
            text.compare(0, text.size(), reinterpret_cast<const char*>(data) + total - text.size(),
                         text.size()) == 0,
        "descriptor differs from the text sent");
  } else if (auto* candidates = dynamic_cast<identify_candidates_command*>(cmd)) {
    check(candidates->client.get() == server, "candidates command holds another descriptor");
    // The items are the end of the announced text, after the request's name and bar.
    const long total = variableLength(reinterpret_cast<const char*>(data));
    const std::string sent(reinterpret_cast<const char*>(data) + kVariableHeaderSize,
                           static_cast<size_t>(total) - kVariableHeaderSize);
    check(sent == std::string(kCandidatesName) + "|" + candidates->items,
          "candidates items differ from the text sent");
  } else {
    check(isClosed(server), "unread request left its connection open");
  }
  owned.reset();
  check(isClosed(server), "deleting the command left its connection open");
  return 0;
}
