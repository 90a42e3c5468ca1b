// Request intake: reads one whole request from an accepted connection, writes the request
// log lines and turns the request into a command.
#include "read_request.h"

#include <errno.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "identify_album_tracks_command.h"
#include "identify_command.h"
#include "lookup_server.h"
#include "wire/socket_io.h"
#include "wire/wire_format.h"

namespace {

constexpr int kDefaultReceiveTimeoutSeconds = 30;

// A stalled client would otherwise hold the single listener for ever.
int receiveTimeoutSeconds() {
  const char* text = getenv("OSTREV_RECV_TIMEOUT");
  if (text == nullptr) return kDefaultReceiveTimeoutSeconds;
  char* end = nullptr;
  long seconds = strtol(text, &end, 10);
  if (end == text || *end != '\0' || seconds <= 0 || seconds > 86400) {
    return kDefaultReceiveTimeoutSeconds;
  }
  return static_cast<int>(seconds);
}

long long requestDeadline() {
  static const int seconds = receiveTimeoutSeconds();
  return monotonicMs() + seconds * 1000LL;
}

void logClosedEarly(size_t received) {
  printf("Client closed connection with %d bytes received...\n", static_cast<int>(received));
}

// Same format as `date +'%y-%m-%d %H:%M:%S'`, without starting a shell per request.
void logTimeStamp() {
  time_t now = time(nullptr);
  tm local;
  localtime_r(&now, &local);
  char stamp[32];
  strftime(stamp, sizeof(stamp), "%y-%m-%d %H:%M:%S", &local);
  printf("%s\n", stamp);
}

void logField(bool quiet, const char* label, const std::string& text) {
  if (quiet) return;
  printf("%s'%s'\n", label, text.c_str());
  fflush(stdout);
}

// The descriptor of an album-tracks request: the text after "identify_album_tracks|" or,
// without that name, the whole text.
std::string albumDescriptor(const std::string& text) {
  size_t bar = text.find('|');
  if (bar != std::string::npos && bar > 0 && text.compare(0, bar, kAlbumTracksName) == 0) {
    return text.substr(bar + 1);
  }
  return text;
}

}  // namespace

std::unique_ptr<command> lookup_server::read_request(int client_fd) {
  return readRequest(client_fd, option_flags);
}

std::unique_ptr<command> readRequest(int client_fd, int option_flags) {
  unique_fd client(client_fd);
  const long long deadline = requestDeadline();
  const bool quiet = option_flags & OPT_SYNONYM;

  // Every request is at least a 15-byte header long, so the form is decided on those.
  lookup_query request;
  char* bytes = reinterpret_cast<char*>(&request);
  size_t got = 0;
  ReadStatus status = receiveFully(client.get(), bytes, kVariableHeaderSize, &got, deadline);

  if (status == ReadStatus::kComplete && memcmp(bytes, kVariableName, sizeof(kVariableName)) == 0) {
    printf("Variable length command\n");
    long total = variableLength(bytes);
    if (total < static_cast<long>(kVariableHeaderSize)) {
      errno = EINVAL;
      perror("receiving variable length query structure");
      return std::make_unique<command>();
    }
    std::string text(total - kVariableHeaderSize, '\0');
    size_t textGot = 0;
    status = receiveFully(client.get(), &text[0], text.size(), &textGot, deadline);
    if (status == ReadStatus::kClosed) {
      logClosedEarly(kVariableHeaderSize + textGot);
      return std::make_unique<command>();
    }
    if (status == ReadStatus::kFailed) {
      perror("receiving variable length query structure");
      return std::make_unique<command>();
    }
    return std::make_unique<identify_album_tracks_command>(client.release(), albumDescriptor(text));
  }

  if (status == ReadStatus::kComplete) {
    size_t rest = 0;
    status = receiveFully(client.get(), bytes + got, kQuerySize - got, &rest, deadline);
    got += rest;
  }
  if (status == ReadStatus::kFailed) {
    perror("receiving lookup_query structure");
    return std::make_unique<command>();
  }
  if (status == ReadStatus::kClosed) {
    if (got != kShortQuerySize) {
      logClosedEarly(got);
      return std::make_unique<command>();
    }
    printf("Received partial structure\n");
    memset(request.isrc, 0, sizeof(request.isrc));
    memset(request.upc, 0, sizeof(request.upc));
  }

  const std::string name = fieldText(request.command_name, sizeof(request.command_name));
  if (!quiet) {
    logTimeStamp();
    printf("Received: '%s' rc = 0\n", name.c_str());
    fflush(stdout);
  }
  if (name == kShutdownName) return std::make_unique<shutdown_command>();
  if (name != kIdentifyName) return std::make_unique<command>();

  // Keep later writes to a redirected standard error after what the file already holds.
  if (quiet) lseek(2, 0, SEEK_END);
  std::string artist = fieldText(request.artist, sizeof(request.artist));
  logField(quiet, "Received Artist: ", artist);
  std::string album = fieldText(request.album, sizeof(request.album));
  logField(quiet, "Received Album:  ", album);
  std::string track = fieldText(request.track, sizeof(request.track));
  logField(quiet, "Received Track:  ", track);
  std::string isrc = fieldText(request.isrc, sizeof(request.isrc));
  logField(quiet, "Received ISRC:   ", isrc);
  std::string upc = fieldText(request.upc, sizeof(request.upc));
  logField(quiet, "Received UPC:    ", upc);
  return std::make_unique<identify_command>(artist, album, track, isrc, upc, client.release());
}
