#include "tools/import/batch_writer.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "db/Query.h"

namespace {

constexpr const char* kCaller = "ostrev-import";

// Well below the server's smallest packet limit, yet thousands of rows per statement.
constexpr size_t kMaxStatementBytes = 1 << 20;

// Gathers rows into "head (...),(...) tail" and sends the statement whenever it grows past
// kMaxStatementBytes, and at the end.
class MultiRowInsert {
 public:
  MultiRowInsert(st_mysql* handle, std::string head, std::string tail = "")
      : handle_(handle), head_(std::move(head)), tail_(std::move(tail)) {}

  // `values` is the row's values, comma-separated, without parentheses.
  bool add(const std::string& values) {
    if (statement_.empty()) {
      statement_ = head_;
    } else {
      statement_ += ',';
    }
    statement_ += '(';
    statement_ += values;
    statement_ += ')';
    return statement_.size() < kMaxStatementBytes || send();
  }

  bool finish() { return statement_.empty() || send(); }

 private:
  bool send() {
    statement_ += tail_;
    bool sent = doQuery(handle_, statement_, kCaller);
    statement_.clear();
    return sent;
  }

  st_mysql* handle_;
  std::string head_;
  std::string tail_;
  std::string statement_;
};

std::string number(uint64_t value) { return std::to_string(value); }

// Id 0 stands for no row.
std::string idOrNull(CatalogueId id) { return id != 0 ? std::to_string(id) : "NULL"; }

std::string upcOrNull(const std::optional<uint64_t>& upc) {
  return upc ? std::to_string(*upc) : "NULL";
}

std::string quoted(st_mysql* handle, const std::string& text) {
  return "'" + escapeString(handle, text) + "'";
}

std::string quotedOrNull(st_mysql* handle, const std::string& text) {
  return text.empty() ? "NULL" : quoted(handle, text);
}

bool writeArtists(st_mysql* handle, const std::vector<ArtistRow>& rows) {
  MultiRowInsert artists(handle, "insert into artists (id, name, display_name) values ");
  MultiRowInsert matchArtists(
      handle, "insert into matchartists (id, display_name, normalized_name) values ");
  // The same ids as the artists, so replacing a catalogue reproduces this table too.
  MultiRowInsert diskArtists(handle, "insert into matchartistsdisk (id, display_name) values ");
  for (const ArtistRow& row : rows) {
    std::string id = number(row.id);
    std::string name = quoted(handle, row.name);
    if (!artists.add(id + "," + name + "," + name) ||
        !matchArtists.add(id + "," + name + "," + quoted(handle, row.normalizedName)) ||
        !diskArtists.add(id + "," + name)) {
      return false;
    }
  }
  return artists.finish() && matchArtists.finish() && diskArtists.finish();
}

bool writeAlbums(st_mysql* handle, const std::vector<AlbumRow>& rows) {
  MultiRowInsert albums(handle,
                        "insert into albums (id, name, year, label, upc, upc_type) values ");
  MultiRowInsert matchAlbums(
      handle, "insert into matchalbums (id, name, artist_id, multiple_artists) values ");
  for (const AlbumRow& row : rows) {
    std::string id = number(row.id);
    std::string name = quoted(handle, row.name);
    if (!albums.add(id + "," + name + ",NULL,NULL," + upcOrNull(row.upc) + "," +
                    (row.upc ? "'UPC'" : "NULL")) ||
        !matchAlbums.add(id + "," + name + "," + idOrNull(row.artistId) + "," +
                         (row.multipleArtists ? "1" : "0"))) {
      return false;
    }
  }
  return albums.finish() && matchAlbums.finish();
}

bool writeTracks(st_mysql* handle, const std::vector<TrackRow>& rows) {
  MultiRowInsert tracks(handle,
                        "insert into tracks (id, name, artist_id, album_id, isrc, length) values ");
  MultiRowInsert matchTracks(handle,
                             "insert into matchtracks (id, name, artist_id, album_id) values ");
  const char* tripletColumns =
      " (track_id, track_name, artist_id, artist_name, album_id, album_name, isrc, upc,"
      " album_multiple_artists, album_artist_name) values ";
  MultiRowInsert triplets(handle, std::string("insert into triplets") + tripletColumns);
  MultiRowInsert diskTriplets(handle, std::string("insert into triplets_disk") + tripletColumns);
  for (const TrackRow& row : rows) {
    std::string id = number(row.id);
    std::string name = quoted(handle, row.name);
    std::string artistId = idOrNull(row.artistId);
    std::string albumId = idOrNull(row.albumId);
    std::string isrc = quotedOrNull(handle, row.isrc);
    std::string triplet = id + "," + name + "," + artistId + "," +
                          quotedOrNull(handle, row.artistName) + "," + albumId + "," +
                          quoted(handle, row.albumName) + "," + isrc + "," + upcOrNull(row.upc) +
                          "," + (row.albumMultipleArtists ? "1" : "0") + "," +
                          quotedOrNull(handle, row.albumArtistName);
    if (!tracks.add(id + "," + name + "," + artistId + "," + albumId + "," + isrc + ",NULL") ||
        !matchTracks.add(id + "," + name + "," + artistId + "," + albumId) ||
        !triplets.add(triplet) || !diskTriplets.add(triplet)) {
      return false;
    }
  }
  return tracks.finish() && matchTracks.finish() && triplets.finish() && diskTriplets.finish();
}

// Albums whose lines were not all consecutive: their rows written before a later line
// brought another artist still say 0.
bool markMultipleArtists(st_mysql* handle, const std::vector<CatalogueId>& albumIds) {
  if (albumIds.empty()) return true;
  std::string ids;
  for (CatalogueId id : albumIds) {
    if (!ids.empty()) ids += ',';
    ids += number(id);
  }
  return doQuery(handle, "update matchalbums set multiple_artists = 1 where id in (" + ids + ")",
                 kCaller) &&
         doQuery(handle,
                 "update triplets set album_multiple_artists = 1 where album_id in (" + ids + ")",
                 kCaller) &&
         doQuery(
             handle,
             "update triplets_disk set album_multiple_artists = 1 where album_id in (" + ids + ")",
             kCaller);
}

// Collation-equal names share one row, and an appended catalogue already has rows: the
// counts are added to what is there rather than inserted.
bool writeNameCounts(st_mysql* handle, const RowBatch& batch) {
  MultiRowInsert trackNames(
      handle, "insert into track_name_counts (track_name, track_count) values ",
      " on duplicate key update track_count = track_count + values(track_count)");
  for (const auto& [name, count] : batch.trackNameCounts) {
    if (!trackNames.add(quoted(handle, name) + "," + number(count))) return false;
  }
  MultiRowInsert albumNames(
      handle, "insert into album_name_counts (album_name, track_count) values ",
      " on duplicate key update track_count = track_count + values(track_count)");
  for (const auto& [name, count] : batch.albumNameCounts) {
    if (!albumNames.add(quoted(handle, name) + "," + number(count))) return false;
  }
  MultiRowInsert artistNames(
      handle, "insert into artist_name_counts (artist_name, track_count, artist_count) values ",
      " on duplicate key update track_count = track_count + values(track_count),"
      " artist_count = artist_count + values(artist_count)");
  for (const auto& [name, count] : batch.artistNameCounts) {
    if (!artistNames.add(quoted(handle, name) + "," + number(count.tracks) + "," +
                         number(count.artists))) {
      return false;
    }
  }
  return trackNames.finish() && albumNames.finish() && artistNames.finish();
}

}  // namespace

bool BatchWriter::write(const RowBatch& batch) {
  return writeArtists(handle_, batch.artists) && writeAlbums(handle_, batch.albums) &&
         writeTracks(handle_, batch.tracks) &&
         markMultipleArtists(handle_, batch.albumsNowMultipleArtists) &&
         writeNameCounts(handle_, batch) && mysql_commit(handle_) == 0;
}
