#include "getdata/IdentifierLookups.h"

#include <cstdio>
#include <memory>

#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/QueryResult.h"
#include "getdata/RowFields.h"
#include "text/PreparedName.h"

namespace {

// An ISRC has 12 characters; anything shorter is not worth a statement.
bool lookableIsrc(const std::string& isrc) { return isrc.size() > 11; }

}  // namespace

int getTracksByISRC(st_mysql* handle, OCRData* query, std::vector<trackRecord>* tracks) {
  if (tracks == nullptr) {
    printf("getdata.getTracksByISRC: data vector is NULL\n");
    return 0;
  }
  if (!lookableIsrc(query->isrc) || !selectTracksByISRC(handle, query->isrc)) return 0;
  QueryResult rows(handle);
  int found = 0;
  while (MYSQL_ROW row = rows.next()) {
    tracks->push_back({fieldText(row[0]), fieldText(row[1]), fieldText(row[2]),
                       fieldText(row[3]), fieldText(row[4]), fieldText(row[5])});
    found = 1;
  }
  return found;
}

int getTrackByISRC(st_mysql* handle, OCRData* query, std::string* trackId) {
  if (!lookableIsrc(query->isrc) || !selectTracksByISRC(handle, query->isrc)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyIfPresent(row[0], trackId);
  return 1;
}

int getAlbumNamesByUPC(st_mysql* handle, OCRData* query, std::vector<trackRecord>* albums) {
  if (albums == nullptr) {
    printf("getdata.getAlbumNamesByUPC: data vector is NULL\n");
    return 0;
  }
  if (query->upc.empty() || !selectAlbumsByUPC(handle, query->upc)) return 0;
  QueryResult rows(handle);
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

namespace {

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

int getAlbumTracksByUPC(st_mysql* handle, std::string upc, std::list<trackRecord>* tracks) {
  if (!selectTracksByAlbumUPC(handle, upc)) return -1;
  return appendAlbumTracks(handle, nullptr, tracks);
}

int getAlbumTracks(st_mysql* handle, std::string albumName, std::list<trackRecord>* tracks) {
  if (!selectTracksByAlbumName(handle, albumName)) return -1;
  return appendAlbumTracks(handle, &albumName, tracks);
}

namespace {

// Both track statements start their rows with track name, artist id, artist name, album id
// and album name.
void copyTrackNames(MYSQL_ROW row, std::string* trackName, std::string* artistId,
                    std::string* artistName, std::string* albumId, std::string* albumName) {
  copyIfPresent(row[0], trackName);
  copyIfPresent(row[1], artistId);
  copyIfPresent(row[2], artistName);
  copyIfPresent(row[3], albumId);
  copyIfPresent(row[4], albumName);
}

}  // namespace

int getTrackData(st_mysql* handle, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName) {
  if (!selectMinimalTrackByID(handle, trackId)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyTrackNames(row, trackName, artistId, artistName, albumId, albumName);
  return 1;
}

int getTrackData(st_mysql* handle, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName, int* length, std::string* label, std::string* year) {
  if (!selectTrackByID(handle, trackId)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyTrackNames(row, trackName, artistId, artistName, albumId, albumName);
  if (row[5] != nullptr) *length = fieldNumber(row[5]);
  copyIfPresent(row[6], label);
  copyIfPresent(row[7], year);
  return 1;
}

int get_one_album(st_mysql* handle, std::string albumId, std::string* name, std::string* year,
                  std::string* label) {
  if (!selectAlbumByID(handle, albumId)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyIfPresent(row[0], name);
  copyIfPresent(row[1], year);
  copyIfPresent(row[2], label);
  return 1;
}

int get_one_artist(st_mysql* handle, std::string artistId, std::string* name) {
  if (!selectArtistByID(handle, artistId)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyIfPresent(row[0], name);
  return 1;
}

int get_the_track(st_mysql* handle, FuzzyTextCompare, OCRData* query, std::string* trackId) {
  if (!selectExactTrack(handle, query->artist, query->album, query->title)) return 0;
  QueryResult rows(handle);
  if (!rows.ok()) return 0;
  const PreparedName artist(query->artist);
  int best = 0;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] == nullptr) continue;
    int score = artist.alignmentScore(fieldText(row[1]));
    if (score >= 100) {
      *trackId = row[0];
      return 1;  // the rest of the rows are drained when `rows` goes
    }
    if (score > best) {
      best = score;
      *trackId = row[0];
    }
  }
  return best >= 70 ? 1 : 0;
}

namespace {

// Whether the statement just sent returned at least one row.
bool anyRow(st_mysql* handle) {
  QueryResult rows(handle);
  return rows.next() != nullptr;
}

IdList idsOfRows(st_mysql* handle) {
  IdList ids;
  QueryResult rows(handle);
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) ids.push_back(std::make_unique<int>(fieldNumber(row[0])));
  }
  return ids;
}

}  // namespace

bool artistExists(st_mysql* handle, std::string name) {
  return selectArtistIDsByName(handle, name) && anyRow(handle);
}

bool albumExists(st_mysql* handle, std::string name) {
  return selectAlbumIDsByName(handle, name) && anyRow(handle);
}

IdList getArtistIDsByName(st_mysql* handle, std::string name) {
  if (!selectArtistIDsByName(handle, name)) return {};
  return idsOfRows(handle);
}

IdList getAlbumIDsByName(st_mysql* handle, std::string name) {
  if (!selectAlbumIDsByName(handle, name)) return {};
  return idsOfRows(handle);
}

std::string getUnknownArtistIDs(st_mysql* handle) {
  const char kWithoutResult[] = " ( ) ";
  if (!selectUnknownArtistIDs(handle)) return kWithoutResult;
  QueryResult rows(handle);
  if (!rows.ok()) return kWithoutResult;
  std::string list = " ( ";
  bool first = true;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] == nullptr) continue;
    if (!first) list += ", ";
    list += row[0];
    first = false;
  }
  return list + " ) ";
}

std::string normalizedArtistExists(st_mysql* handle, std::string normalizedName) {
  if (!selectArtistIDsByNormalizedName(handle, normalizedName)) return "";
  QueryResult rows(handle);
  std::string displayName;
  while (MYSQL_ROW row = rows.next()) copyIfPresent(row[0], &displayName);
  return displayName;
}
