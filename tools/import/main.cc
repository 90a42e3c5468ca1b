// ostrev-import: loads a tab-separated list of tracks into a catalogue database, filling
// every table the lookups read. Reports bad lines and skips them; any failure of the file
// or the database ends it with status 1, bad usage with status 2.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "TextTrackLookup.h"
#include "db/Connection.h"
#include "tools/import/batch_writer.h"
#include "tools/import/catalogue_model.h"
#include "tools/import/catalogue_state.h"
#include "tools/import/command_line.h"
#include "tools/import/line_reader.h"
#include "tools/import/progress.h"
#include "tools/import/tsv_line.h"

namespace {

// Eight columns of 512 four-byte characters fit with room to spare; a longer line cannot
// be a valid one, so it is skipped without being held.
constexpr size_t kMaxLineBytes = 64 * 1024;

// Closes the input file, but never standard input, which is not ours.
struct FileCloser {
  void operator()(FILE* file) const {
    if (file != stdin) fclose(file);
  }
};
using unique_file = std::unique_ptr<FILE, FileCloser>;

int fail(const std::string& message) {
  fprintf(stderr, "ostrev-import: %s\n", message.c_str());
  return 1;
}

int failDatabase(st_mysql* handle) {
  return fail(std::string("database error: ") + mysql_error(handle));
}

std::string headerText() {
  std::string text;
  for (const char* name : kColumnNames) {
    if (!text.empty()) text += "<TAB>";
    text += name;
  }
  return text;
}

int import(const ImportOptions& options) {
  std::string fileName = options.file == "-" ? "standard input" : options.file;
  unique_file file(options.file == "-" ? stdin : fopen(options.file.c_str(), "r"));
  if (file == nullptr) return fail("cannot open " + fileName + ": " + strerror(errno));
  LineReader reader(file.get(), kMaxLineBytes);
  std::string line;

  // The header is checked before connecting, so a wrong file never empties a catalogue.
  LineReader::Status status = reader.next(&line);
  if (status == LineReader::kError) return fail("reading " + fileName + ": " + strerror(errno));
  if (status != LineReader::kLine || !isHeaderLine(line)) {
    return fail(fileName + ": line 1: expected the header " + headerText());
  }

  std::string host = defaultDatabaseHost();
  Connection connection(host, options.user, options.password, options.database);
  if (!connection.init()) {
    const std::string reason = connection.lastError.empty() ? "" : ": " + connection.lastError;
    return fail("cannot connect to database " + options.database + " on " + host + " as " +
                options.user + reason);
  }
  st_mysql* handle = connection.getMyHandle();
  // A silent reconnect would drop the open transaction and the autocommit setting with it.
  my_bool reconnect = 0;
  mysql_options(handle, MYSQL_OPT_RECONNECT, &reconnect);
  if (mysql_autocommit(handle, 0) != 0) return failDatabase(handle);

  bool hasTracks = false;
  if (!catalogueHasTracks(handle, &hasTracks)) return failDatabase(handle);
  if (hasTracks && options.mode == ImportOptions::kIntoEmpty) {
    return fail("database " + options.database +
                " already has tracks; give --append to add to them or --replace to replace them");
  }
  if (options.mode == ImportOptions::kReplace && !emptyCatalogue(handle)) {
    return failDatabase(handle);
  }
  FirstIds first;
  std::unordered_map<std::string, CatalogueId> knownArtists;
  if (!readFirstIds(handle, &first) || !readKnownArtists(handle, &knownArtists)) {
    return failDatabase(handle);
  }

  CatalogueModel model(first, std::move(knownArtists));
  BatchWriter writer(handle);
  Progress progress;
  TrackLine track;
  std::string problem;
  long long skipped = 0;
  auto start = std::chrono::steady_clock::now();
  while ((status = reader.next(&line)) != LineReader::kEnd) {
    if (status == LineReader::kError) {
      progress.clear();
      return fail("reading " + fileName + ": " + strerror(errno));
    }
    if (status == LineReader::kTooLong) {
      problem = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
    } else if (line.empty() || line == "\r") {
      continue;
    } else if (parseTrackLine(line, &track, &problem)) {
      model.add(track);
      if (model.readyTracks() >= static_cast<size_t>(options.batchTracks) &&
          !writer.write(model.takeBatch())) {
        progress.clear();
        return failDatabase(handle);
      }
      progress.update(reader.lineNumber(), model.tracks());
      continue;
    }
    progress.clear();
    fprintf(stderr, "ostrev-import: line %lld: %s\n", reader.lineNumber(), problem.c_str());
    ++skipped;
  }
  model.finish();
  bool written = writer.write(model.takeBatch());
  progress.clear();
  if (!written) return failDatabase(handle);

  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("albums imported:   %lld\n", model.albums());
  printf("artists added:     %lld\n", model.newArtists());
  printf("tracks imported:   %lld\n", model.tracks());
  printf("lines skipped:     %lld\n", skipped);
  printf("seconds:           %.2f\n", seconds);
  printf("tracks per second: %.0f\n", seconds > 0 ? model.tracks() / seconds : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  ImportOptions options = parseImportOptions(argc, argv);
  switch (options.action) {
    case ImportOptions::kShowHelp:
      fputs(importUsage(), stdout);
      return 0;
    case ImportOptions::kRefuse:
      fprintf(stderr, "ostrev-import: %s\n\n%s", options.problem.c_str(), importUsage());
      return 2;
    case ImportOptions::kImport:
      break;
  }
  return import(options);
}
