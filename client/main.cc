// ostrevc: asks a running ostrevd to identify the recording described in a song
// description file and prints the answer as "Key|value" lines. Every failure prints one
// message and ends with status 1; the client never retries.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "Defaults.h"
#include "client/command_line.h"
#include "client/query_file.h"
#include "client/result_json.h"
#include "client/result_text.h"
#include "wire/client_exchange.h"
#include "wire/variable_request.h"
#include "wire/wire_format.h"

namespace {

// Closes the song description file, but never standard input, which is not ours.
struct FileCloser {
  void operator()(FILE* file) const {
    if (file != stdin) fclose(file);
  }
};
using unique_file = std::unique_ptr<FILE, FileCloser>;

// Prints why the exchange failed the way ostrevc always has: a failed call in perror's
// form, naming the call as `sent` and `received` for the request and its answer.
int failed(const Exchange& exchange, const char* sent, const char* received) {
  const char* call = "connect";
  switch (exchange.failure) {
    case ExchangeFailure::kClosed:
      fputs("Server closed connection...", stdout);
      return 1;
    case ExchangeFailure::kTooLong:
      fprintf(stderr, "ostrevc: %s\n", exchange.problem.c_str());
      return 1;
    case ExchangeFailure::kSocket:
      call = "socket";
      break;
    case ExchangeFailure::kSend:
      call = sent;
      break;
    case ExchangeFailure::kReceive:
      call = received;
      break;
    case ExchangeFailure::kNone:
    case ExchangeFailure::kPathTooLong:
    case ExchangeFailure::kConnect:
      break;
  }
  fprintf(stderr, "%s: %s\n", call, strerror(exchange.error));
  return 1;
}

// Sends a candidates request for the texts of `query` and prints the server's JSON answer.
int askCandidates(const unique_fd& connection, const lookup_query& query, int limit) {
  CandidatesQuery texts;
  texts.artist = fieldText(query.artist, sizeof(query.artist));
  texts.album = fieldText(query.album, sizeof(query.album));
  texts.title = fieldText(query.track, sizeof(query.track));
  texts.isrc = fieldText(query.isrc, sizeof(query.isrc));
  texts.upc = fieldText(query.upc, sizeof(query.upc));
  texts.limit = limit;
  std::string request;
  if (!candidatesRequest(texts, &request)) {
    fputs("ostrevc: the candidates request would be too long\n", stderr);
    return 1;
  }
  Exchange exchange =
      exchangeOver(connection, request, kAnswerEndsAtClose, 0, kMostCandidatesAnswerBytes);
  if (!exchange.answered) return failed(exchange, "send candidates request", "recv candidates");
  fwrite(exchange.answer.data(), 1, exchange.answer.size(), stdout);
  return 0;
}

// Connects, sends the request read from the data file and prints the answer. The client
// waits for the server as long as it takes.
int identify(const CommandLine& line) {
  // Connected first, so a missing server is reported even when the file is bad.
  Exchange failure;
  unique_fd connection = connectToServer(line.socketPath, &failure);
  if (connection.get() < 0) return failed(failure, "", "");

  lookup_query query{};
  {
    unique_file file(line.dataFile == "-" ? stdin : fopen(line.dataFile.c_str(), "r"));
    if (file == nullptr) {
      perror("Match: Error: readFile ( ) could not open Song Description file:");
      return 1;
    }
    read_query_file(file.get(), &query);
  }
  if (line.candidates > 0) return askCandidates(connection, query, line.candidates);
  setQueryField(query.command_name, sizeof(query.command_name), kIdentifyName);

  const std::string request(reinterpret_cast<const char*>(&query), sizeof(query));
  Exchange exchange = exchangeOver(connection, request, kResultSize, 0, kResultSize);
  if (!exchange.answered) {
    return failed(exchange, "send lookup struct", "recv lookup_result struct");
  }
  lookup_result result;
  memcpy(&result, exchange.answer.data(), sizeof(result));
  std::string text = line.json ? resultJson(result) : resultText(result);
  fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

constexpr char kHelp[] =
    "usage: ostrevc [--socket=PATH | --socket PATH] [--json] [--candidates N] SONG-FILE\n"
    "       ostrevc -v | --help\n"
    "\n"
    "Asks ostrevd which catalogue track SONG-FILE (- for standard input) describes: lines\n"
    "Key|value with the keys Artist, Album, Song, ISRC and UPC. Prints the answer as eight\n"
    "lines (Artist, Album, Track, IDArtist, IDAlbum, IDTrack, MatchScore, AlbumScore), or\n"
    "as one JSON object with --json; --candidates N (1 to %d) prints the N tracks the\n"
    "description may be, as the server's JSON. The socket defaults to %s.\n"
    "-v prints the version.\n";

}  // namespace

int main(int argc, char* argv[]) {
  CommandLine line = parseCommandLine(argc, argv);
  switch (line.action) {
    case CommandLine::kShowUsage:
      printf("USAGE: %s [--socket=socket_file_name] <artist-album-track-data-file>",
             argc > 0 ? argv[0] : "ostrevc");
      return 1;
    case CommandLine::kShowVersion:
      puts("ostrevc version " OSTREV_VERSION);
      return 1;
    case CommandLine::kShowHelp:
      printf(kHelp, kMostCandidates, kDefaultSocketPath);
      return 0;
    case CommandLine::kRefuseSocketPath:
      fprintf(stderr, "ostrevc: socket path must be 1 to %zu bytes long\n", kMaxPathBytes);
      return 1;
    case CommandLine::kRefuseCandidates:
      fprintf(stderr, "ostrevc: --candidates takes a number from 1 to %d\n", kMostCandidates);
      return 1;
    case CommandLine::kIdentify:
      break;
  }
  return identify(line);
}
