#include "getdata/StatementReader.h"

#include <cstdlib>

#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/NameCountQueries.h"
#include "db/QueryResult.h"
#include "getdata/RowFields.h"

namespace {

std::string_view fieldView(const char* field) { return field != nullptr ? field : ""; }

uint64_t fieldId(const char* field) {
  return field != nullptr ? strtoull(field, nullptr, 10) : 0;
}

std::optional<std::string> optionalText(const char* field) {
  if (field == nullptr) return std::nullopt;
  return std::string(field);
}

IdList idsOfRows(st_mysql* handle) {
  IdList ids;
  QueryResult rows(handle);
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) ids.push_back(std::make_unique<int>(fieldNumber(row[0])));
  }
  return ids;
}

// Appends the tracks of the album statement just sent (track id, track name, artist id,
// artist name, album id[, album name]); `albumName` fills in the name when the rows have
// none. Rows read, -1 without a result.
int appendAlbumTracks(st_mysql* handle, const std::string* albumName,
                      std::list<trackRecord>* tracks) {
  QueryResult rows(handle);
  if (!rows.ok()) return -1;
  int read = 0;
  while (MYSQL_ROW row = rows.next()) {
    ++read;
    trackRecord track;
    track.trackId = fieldText(row[0]);
    track.trackName = fieldText(row[1]);
    track.artistId = fieldText(row[2]);
    track.artistName = fieldText(row[3]);
    track.albumId = fieldText(row[4]);
    track.albumName = albumName != nullptr ? *albumName : fieldText(row[5]);
    tracks->push_back(track);
  }
  return read;
}

}  // namespace

bool StatementReader::exactTracks(const std::string& artist, const std::string& album,
                                  const std::string& title, const ExactVisitor& visit) {
  if (!selectExactTrack(handle_, artist, album, title)) return false;
  QueryResult rows(handle_);
  if (!rows.ok()) return false;
  // Row: track id, artist name. The rest of the rows are drained when `rows` goes.
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] == nullptr) continue;
    if (!visit(fieldId(row[0]), fieldView(row[1]))) break;
  }
  return true;
}

IdList StatementReader::artistIds(const std::string& name) {
  if (!selectArtistIDsByName(handle_, name)) return {};
  return idsOfRows(handle_);
}

IdList StatementReader::albumIds(const std::string& name) {
  if (!selectAlbumIDsByName(handle_, name)) return {};
  return idsOfRows(handle_);
}

std::string StatementReader::normalizedArtistName(const std::string& normalizedName) {
  if (!selectArtistIDsByNormalizedName(handle_, normalizedName)) return "";
  QueryResult rows(handle_);
  std::string displayName;
  while (MYSQL_ROW row = rows.next()) copyIfPresent(row[0], &displayName);
  return displayName;
}

int StatementReader::albumsByUpc(const std::string& upc, std::vector<trackRecord>* albums) {
  if (!selectAlbumsByUPC(handle_, upc)) return 0;
  QueryResult rows(handle_);
  int appended = 0;
  while (MYSQL_ROW row = rows.next()) {
    if (row[1] == nullptr) continue;
    trackRecord album;
    album.albumId = fieldText(row[0]);
    album.albumName = row[1];
    albums->push_back(album);
    ++appended;
  }
  return appended;
}

bool StatementReader::artistsOfAlbum(const std::string& album, const NameVisitor& visit) {
  if (!selectArtistsByAlbum(handle_, album)) return false;
  QueryResult rows(handle_);
  if (!rows.ok()) return false;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) visit(row[0]);
  }
  return true;
}

bool StatementReader::tracksOfArtists(const IdList& ids, const TrackVisitor& visit) {
  // Row: track id, track name, album name, artist id.
  return visitTrackRows(selectTracksByArtistIDs(handle_, &ids), {0, 1, -1, 2, 3, -1}, visit);
}

bool StatementReader::tracksOfAlbums(const IdList& ids, const TrackVisitor& visit) {
  // Row: track id, track name, artist name, artist id, album id.
  return visitTrackRows(selectTracksByAlbumIDs(handle_, &ids), {0, 1, 2, -1, 3, 4}, visit);
}

bool StatementReader::tracksNamed(const std::string& name, const TrackVisitor& visit) {
  // Row: track id, track name, album name, artist name.
  return visitTrackRows(selectTrackByName(handle_, name), {0, 1, 3, 2, -1, -1}, visit);
}

bool StatementReader::visitTrackRows(bool sent, const TrackFieldsAt& at,
                                     const TrackVisitor& visit) {
  if (!sent) return false;
  QueryResult rows(handle_);
  if (!rows.ok()) return false;
  const int fields = static_cast<int>(rows.fieldCount());
  auto field = [&](MYSQL_ROW row, int index) { return index >= 0 ? row[index] : nullptr; };
  for (int index : {at.trackId, at.trackName, at.artistName, at.albumName, at.artistId,
                    at.albumId}) {
    if (index >= fields) return true;  // a row without the column is no track row
  }
  while (MYSQL_ROW row = rows.next()) {
    TrackRow track;
    track.trackId = fieldId(field(row, at.trackId));
    track.trackName = fieldView(field(row, at.trackName));
    track.artistName = fieldView(field(row, at.artistName));
    track.albumName = fieldView(field(row, at.albumName));
    track.artistId = fieldId(field(row, at.artistId));
    track.albumId = fieldId(field(row, at.albumId));
    visit(track);
  }
  return true;
}

int StatementReader::trackNameCount(const std::string& name) {
  if (!selectTrackCounterByName(handle_, name)) return 0;
  QueryResult rows(handle_);
  MYSQL_ROW row = rows.next();
  return row != nullptr ? fieldNumber(row[0]) : 0;
}

int StatementReader::tracksByIsrc(const std::string& isrc, std::vector<trackRecord>* tracks) {
  if (!selectTracksByISRC(handle_, isrc)) return 0;
  QueryResult rows(handle_);
  int found = 0;
  while (MYSQL_ROW row = rows.next()) {
    tracks->push_back({fieldText(row[0]), fieldText(row[1]), fieldText(row[2]),
                       fieldText(row[3]), fieldText(row[4]), fieldText(row[5])});
    ++found;
  }
  return found;
}

int StatementReader::albumTracksByUpc(const std::string& upc, std::list<trackRecord>* tracks) {
  if (!selectTracksByAlbumUPC(handle_, upc)) return -1;
  return appendAlbumTracks(handle_, nullptr, tracks);
}

int StatementReader::albumTracksByName(const std::string& name,
                                       std::list<trackRecord>* tracks) {
  if (!selectTracksByAlbumName(handle_, name)) return -1;
  return appendAlbumTracks(handle_, &name, tracks);
}

bool StatementReader::trackNames(const std::string& trackId, TrackColumns* names) {
  if (!selectMinimalTrackByID(handle_, trackId)) return false;
  QueryResult rows(handle_);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return false;
  names->trackName = optionalText(row[0]);
  names->artistId = optionalText(row[1]);
  names->artistName = optionalText(row[2]);
  names->albumId = optionalText(row[3]);
  names->albumName = optionalText(row[4]);
  return true;
}
