// ostrev-import: loads a tab-separated list of tracks into a catalogue database, filling
// every table the lookups read. Reports bad lines and skips them; any failure of the file
// or the database ends it with status 1, bad usage with status 2.
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "db/Connection.h"
#include "db/GenerationQueries.h"
#include "tools/import/batch_writer.h"
#include "tools/import/bulk_writer.h"
#include "tools/import/catalogue_model.h"
#include "tools/import/catalogue_state.h"
#include "tools/import/catalogue_tables.h"
#include "tools/import/command_line.h"
#include "tools/import/import_connection.h"
#include "tools/import/line_reader.h"
#include "tools/import/row_loader.h"
#include "tools/import/tsv_line.h"
#include "tools/progress.h"

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

int failWriter(const CatalogueWriter& writer) {
  return fail("database error: " + writer.error());
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

  Connection connection;
  std::string error;
  if (!openImportConnection(options, false, &connection, &error)) return fail(error);
  st_mysql* handle = connection.getMyHandle();

  bool hasTracks = false;
  bool empty = false;
  if (!catalogueHasTracks(handle, &hasTracks) || !catalogueIsEmpty(handle, &empty)) {
    return failDatabase(handle);
  }
  if (hasTracks && options.mode == ImportOptions::kIntoEmpty) {
    return fail("database " + options.database +
                " already has tracks; give --append to add to them or --replace to replace them");
  }
  RowLoader::Method method = RowLoader::kInsert;
  if (!options.insertStatements) {
    bool allowed = false;
    RowLoader probe(handle, RowLoader::kInfile);
    if (!probe.infileAllowed(kLoadedTables[0].name, kLoadedTables[0].columns, &allowed,
                             &error)) {
      return fail("database error: " + error);
    }
    if (allowed) {
      method = RowLoader::kInfile;
    } else {
      fprintf(stderr,
              "ostrev-import: the database refuses LOAD DATA LOCAL INFILE (local_infile is "
              "off); sending INSERT statements instead\n");
    }
  }

  // A catalogue without rows, or one to be replaced, is built aside and swapped in; ids
  // then start at 1 and no artist is known.
  FirstIds first;
  std::unordered_map<std::string, CatalogueId> knownArtists;
  std::unique_ptr<CatalogueWriter> writer;
  if (options.mode == ImportOptions::kReplace ||
      (options.mode == ImportOptions::kIntoEmpty && empty)) {
    auto bulk = std::make_unique<BulkWriter>(handle);
    if (!bulk->start(options, method)) return fail("database error: " + bulk->error());
    writer = std::move(bulk);
  } else {
    if (!readFirstIds(handle, &first) || !readKnownArtists(handle, &knownArtists)) {
      return failDatabase(handle);
    }
    writer = std::make_unique<BatchWriter>(handle, method);
  }

  CatalogueModel model(first, std::move(knownArtists));
  ProgressLine progress;
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
      if (model.batchTracks() >= static_cast<size_t>(options.batchTracks) &&
          !writer->write(model.takeBatch())) {
        progress.clear();
        return failWriter(*writer);
      }
      if (progress.due()) {
        const double seconds = progress.seconds();
        progress.show(std::to_string(reader.lineNumber()) + " lines read, " +
                      std::to_string(std::llround(seconds > 0 ? model.tracks() / seconds : 0)) +
                      " tracks/s");
      }
      continue;
    }
    progress.clear();
    fprintf(stderr, "ostrev-import: line %lld: %s\n", reader.lineNumber(), problem.c_str());
    ++skipped;
  }
  progress.show("finishing the tables (building their indexes)");
  bool written = writer->write(model.takeBatch()) && writer->finish();
  progress.clear();
  if (!written) return failWriter(*writer);
  // Servers that hold the catalogue in memory read it again when this number moves.
  if (!bumpCatalogueGeneration(handle) || mysql_commit(handle) != 0) {
    return failDatabase(handle);
  }

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
