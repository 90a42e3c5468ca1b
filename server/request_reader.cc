#include "request_reader.h"

#include <errno.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "OptionFlags.h"
#include "identify_album_tracks_command.h"
#include "identify_candidates_command.h"
#include "identify_command.h"
#include "server_io.h"
#include "wire/wire_format.h"

namespace {

// Bytes taken from the socket per read; a request grows only as its bytes arrive.
constexpr size_t kReadChunk = 64 * 1024;

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

void reportFailure(int error, const char* what) {
  errno = error;
  perror(what);
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

bool RequestReader::isVariable() const {
  return bytes_.size() >= kVariableHeaderSize &&
         memcmp(bytes_.data(), kVariableName, sizeof(kVariableName)) == 0;
}

size_t RequestReader::wanted() const {
  // Every request is at least a 15-byte header long, so the form is decided on those.
  if (bytes_.size() < kVariableHeaderSize) return kVariableHeaderSize;
  if (!isVariable()) return kQuerySize;
  const long total = variableLength(bytes_.data());
  // A length shorter than its header ends the request here; finish() reports it.
  return total < static_cast<long>(kVariableHeaderSize) ? kVariableHeaderSize
                                                        : static_cast<size_t>(total);
}

void RequestReader::makeRoom(size_t needed) {
  if (bytes_.capacity() >= needed) return;
  // Doubling, as a string would, but never past the request's own length: what a request
  // holds is what the intake's byte budget counts.
  std::string larger;
  larger.reserve(std::min(wanted(), std::max(needed, 2 * bytes_.capacity())));
  larger.append(bytes_);
  bytes_.swap(larger);
}

bool RequestReader::readFrom(int fd) {
  while (!done()) {
    const size_t have = bytes_.size();
    const size_t chunk = std::min(wanted() - have, kReadChunk);
    makeRoom(have + chunk);
    bytes_.resize(have + chunk);
    const long n = receiveAvailable(fd, &bytes_[have], chunk);
    bytes_.resize(have + static_cast<size_t>(std::max(n, 0L)));
    if (n == 0) {
      ending_ = Ending::kClosed;
    } else if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) return false;
      fail(errno);
    }
  }
  return true;
}

void RequestReader::fail(int error) {
  ending_ = Ending::kFailed;
  error_ = error;
}

std::unique_ptr<command> RequestReader::finish(unique_fd client, int option_flags) {
  const bool quiet = option_flags & OPT_SYNONYM;
  const size_t got = bytes_.size();

  if (isVariable()) {
    printf("Variable length command\n");
    if (variableLength(bytes_.data()) < static_cast<long>(kVariableHeaderSize)) {
      reportFailure(EINVAL, "receiving variable length query structure");
      return std::make_unique<command>();
    }
    if (!complete()) {
      if (ending_ == Ending::kClosed) {
        logClosedEarly(got);
      } else {
        reportFailure(error_, "receiving variable length query structure");
      }
      return std::make_unique<command>();
    }
    const std::string text = bytes_.substr(kVariableHeaderSize);
    const size_t named = sizeof(kCandidatesName) - 1;
    if (text.compare(0, named, kCandidatesName) == 0 && text.size() > named && text[named] == '|') {
      return std::make_unique<identify_candidates_command>(std::move(client),
                                                           text.substr(named + 1));
    }
    return std::make_unique<identify_album_tracks_command>(std::move(client),
                                                           albumDescriptor(text));
  }

  lookup_query request;
  memset(&request, 0, sizeof(request));
  memcpy(&request, bytes_.data(), std::min(got, sizeof(request)));
  if (!complete()) {
    if (ending_ == Ending::kFailed) {
      reportFailure(error_, "receiving lookup_query structure");
      return std::make_unique<command>();
    }
    if (got != kShortQuerySize) {
      logClosedEarly(got);
      return std::make_unique<command>();
    }
    printf("Received partial structure\n");
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
  return std::make_unique<identify_command>(artist, album, track, isrc, upc, std::move(client));
}
