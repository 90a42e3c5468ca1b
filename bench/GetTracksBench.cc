// Rows per second of getTracks over one artist with 5,000 tracks, in each table mode, read
// from a private catalogue database (BENCH_GETDATA, reached through MYSQL_UNIX_PORT) that
// the benchmark fills on its first run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include <mysql.h>

#include "Defaults.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "getdata/TrackCandidates.h"

namespace {

constexpr int kTracks = 5000;
const char kDatabase[] = "BENCH_GETDATA";
const char kArtist[] = "Harbour Bench Orchestra";

// One artist, 50 albums, 5,000 tracks with titles of three words and a number, and the
// triplets tables built from them as the importer builds them. One transaction, so an
// interrupted fill leaves the catalogue empty and the next run fills it again.
const char* const kFill[] = {
    "START TRANSACTION",
    "INSERT INTO artists (id, name, display_name) "
    "VALUES (1, 'Harbour Bench Orchestra', 'Harbour Bench Orchestra')",
    "INSERT INTO matchartists (id, display_name, normalized_name) "
    "VALUES (1, 'Harbour Bench Orchestra', 'harbour bench orchestra')",
    "INSERT INTO albums (id, name, year) "
    "SELECT seq, CONCAT('Harbour Sessions Volume ', seq), 2000 + seq FROM seq_1_to_50",
    "INSERT INTO matchalbums (id, name, artist_id, multiple_artists) "
    "SELECT id, name, 1, 0 FROM albums",
    "INSERT INTO tracks (id, name, artist_id, album_id, length) "
    "SELECT seq, CONCAT_WS(' ', "
    "ELT(1 + seq % 7, 'Morning', 'Silent', 'Golden', 'Northern', 'Evening', 'Quiet', 'Wild'), "
    "ELT(1 + seq % 5, 'River', 'Harbour', 'Lantern', 'Meadow', 'Tide'), "
    "ELT(1 + seq % 3, 'Song', 'Waltz', 'Dance'), seq), "
    "1, 1 + seq % 50, 120 + seq % 240 FROM seq_1_to_5000",
    "INSERT INTO matchtracks (id, name, artist_id, album_id) "
    "SELECT id, name, artist_id, album_id FROM tracks",
    "INSERT INTO triplets (track_id, track_name, artist_id, artist_name, album_id, album_name, "
    "album_multiple_artists, album_artist_name) "
    "SELECT t.id, t.name, t.artist_id, ar.display_name, t.album_id, al.name, "
    "al.multiple_artists, ar.display_name "
    "FROM tracks t JOIN matchartists ar ON ar.id = t.artist_id "
    "JOIN matchalbums al ON al.id = t.album_id",
    "INSERT INTO triplets_disk (track_id, track_name, artist_id, artist_name, album_id, "
    "album_name, album_multiple_artists, album_artist_name) "
    "SELECT track_id, track_name, artist_id, artist_name, album_id, album_name, "
    "album_multiple_artists, album_artist_name FROM triplets",
    "COMMIT",
};

bool run(MYSQL* handle, const char* statement) {
  if (mysql_query(handle, statement) != 0) return false;
  MYSQL_RES* result = mysql_store_result(handle);
  if (result != nullptr) mysql_free_result(result);
  return true;
}

std::string firstField(MYSQL* handle, const char* statement) {
  if (mysql_query(handle, statement) != 0) return "";
  MYSQL_RES* result = mysql_store_result(handle);
  if (result == nullptr) return "";
  MYSQL_ROW row = mysql_fetch_row(result);
  std::string value = row != nullptr && row[0] != nullptr ? row[0] : "";
  mysql_free_result(result);
  return value;
}

// The connection to the benchmark catalogue, filled if it is still empty; null (with
// `*error` set) when the database cannot be used.
MYSQL* catalogue(std::string* error) {
  static Connection connection("localhost", kDefaultDatabaseUser, kDefaultDatabasePassword, kDatabase);
  static std::string failure;
  static bool ready = [] {
    if (getenv("MYSQL_UNIX_PORT") == nullptr) {
      failure = "MYSQL_UNIX_PORT is not set: start a private database (see docs/development.md)";
      return false;
    }
    if (!connection.init()) {
      failure = std::string("cannot reach database ") + kDatabase + " (see docs/development.md)";
      return false;
    }
    MYSQL* handle = connection.getMyHandle();
    if (firstField(handle, "SELECT COUNT(*) FROM matchtracks") == "0") {
      for (const char* statement : kFill) {
        if (!run(handle, statement)) {
          failure = std::string("filling the catalogue failed: ") + mysql_error(handle);
          return false;
        }
      }
    }
    if (firstField(handle, "SELECT COUNT(*) FROM matchtracks WHERE artist_id = 1") !=
        std::to_string(kTracks)) {
      failure = std::string(kDatabase) + " holds another catalogue: drop and create it again";
      return false;
    }
    return true;
  }();
  *error = failure;
  return ready ? connection.getMyHandle() : nullptr;
}

// The library announces each switch on standard output; switch only when the mode changes
// (the cases run in argument order, so once per mode).
void useMode(int mode) {
  static int current = 0;
  if (mode == current) return;
  setUseTripletsTable(mode != 0, mode == 1);
  current = mode;
}

// Argument: 0 joined tables, 1 triplets, 2 triplets_disk.
void BM_GetTracksOfOneArtist(benchmark::State& state) {
  std::string error;
  MYSQL* handle = catalogue(&error);
  if (handle == nullptr) {
    state.SkipWithError(error.c_str());
    return;
  }
  useMode(static_cast<int>(state.range(0)));
  OCRData query;
  query.title = "Golden Lantern Waltz 2500";
  query.artist = kArtist;
  query.album = "Harbour Sessions Volume 7";
  DBResultSet artists(DBResultSet::kMaxRecords);
  artists.add_record(100, kArtist);
  DBResultSet albums(DBResultSet::kMaxRecords);
  int64_t rows = 0;
  for (auto _ : state) {
    DBResultSet tracks(DBResultSet::kMaxRecords);
    int read = getTracks(handle, FuzzyTextCompare(), &query, tracks, artists, albums, 7, 75);
    if (read != kTracks) {
      state.SkipWithError("getTracks did not read the artist's 5,000 tracks");
      break;
    }
    rows += read;
    benchmark::DoNotOptimize(tracks);
  }
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_GetTracksOfOneArtist)
    ->ArgName("mode")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    // Most of the time is spent in the database server, which the process's CPU time misses.
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
