#include "getdata/IdentifierLookups.h"

#include <cstdio>
#include <memory>

#include "base/CatalogueId.h"
#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/QueryResult.h"
#include "getdata/RowFields.h"
#include "getdata/StatementReader.h"
#include "ostrev/scores.h"
#include "text/PreparedName.h"

namespace {

// An ISRC has 12 characters; anything shorter is not worth a statement.
bool lookableIsrc(const std::string& isrc) { return isrc.size() > 11; }

void copyIfPresent(const std::optional<std::string>& field, std::string* out) {
  if (field) *out = *field;
}

}  // namespace

int getTracksByISRC(CatalogueReader& reader, OCRData* query, std::vector<trackRecord>* tracks) {
  if (tracks == nullptr) {
    printf("getdata.getTracksByISRC: data vector is NULL\n");
    return 0;
  }
  if (!lookableIsrc(query->isrc)) return 0;
  return reader.tracksByIsrc(query->isrc, tracks) > 0 ? 1 : 0;
}

int getTracksByISRC(st_mysql* handle, OCRData* query, std::vector<trackRecord>* tracks) {
  StatementReader reader(handle);
  return getTracksByISRC(reader, query, tracks);
}

int getTrackByISRC(st_mysql* handle, OCRData* query, std::string* trackId) {
  if (!lookableIsrc(query->isrc) || !selectTracksByISRC(handle, query->isrc)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyIfPresent(row[0], trackId);
  return 1;
}

int getAlbumNamesByUPC(CatalogueReader& reader, OCRData* query,
                       std::vector<trackRecord>* albums) {
  if (albums == nullptr) {
    printf("getdata.getAlbumNamesByUPC: data vector is NULL\n");
    return 0;
  }
  if (query->upc.empty()) return 0;
  return reader.albumsByUpc(query->upc, albums);
}

int getAlbumNamesByUPC(st_mysql* handle, OCRData* query, std::vector<trackRecord>* albums) {
  StatementReader reader(handle);
  return getAlbumNamesByUPC(reader, query, albums);
}

int getAlbumTracksByUPC(CatalogueReader& reader, std::string upc,
                        std::list<trackRecord>* tracks) {
  return reader.albumTracksByUpc(upc, tracks);
}

int getAlbumTracksByUPC(st_mysql* handle, std::string upc, std::list<trackRecord>* tracks) {
  StatementReader reader(handle);
  return getAlbumTracksByUPC(reader, std::move(upc), tracks);
}

int getAlbumTracks(CatalogueReader& reader, std::string albumName,
                   std::list<trackRecord>* tracks) {
  return reader.albumTracksByName(albumName, tracks);
}

int getAlbumTracks(st_mysql* handle, std::string albumName, std::list<trackRecord>* tracks) {
  StatementReader reader(handle);
  return getAlbumTracks(reader, std::move(albumName), tracks);
}

int getTrackData(CatalogueReader& reader, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName) {
  TrackColumns names;
  if (!reader.trackNames(trackId, &names)) return 0;
  copyTrackColumns(names, trackName, artistId, artistName, albumId, albumName);
  return 1;
}

void copyTrackColumns(const TrackColumns& names, std::string* trackName,
                      std::string* artistId, std::string* artistName, std::string* albumId,
                      std::string* albumName) {
  copyIfPresent(names.trackName, trackName);
  copyIfPresent(names.artistId, artistId);
  copyIfPresent(names.artistName, artistName);
  copyIfPresent(names.albumId, albumId);
  copyIfPresent(names.albumName, albumName);
}

int getTrackData(st_mysql* handle, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName) {
  StatementReader reader(handle);
  return getTrackData(reader, std::move(trackId), trackName, artistId, artistName, albumId,
                      albumName);
}

int getTrackData(st_mysql* handle, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName, int* length, std::string* label, std::string* year) {
  if (!selectTrackByID(handle, trackId)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr) return 0;
  copyIfPresent(row[0], trackName);
  copyIfPresent(row[1], artistId);
  copyIfPresent(row[2], artistName);
  copyIfPresent(row[3], albumId);
  copyIfPresent(row[4], albumName);
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

int get_the_track(CatalogueReader& reader, OCRData* query, std::string* trackId) {
  const PreparedName artist(query->artist);
  int best = 0;
  bool exact = false;
  const bool read = reader.exactTracks(
      query->artist, query->album, query->title, [&](uint64_t id, std::string_view artistName) {
        int score = artist.alignmentScore(artistName);
        if (score >= 100) {
          *trackId = catalogueIdText(id);
          exact = true;
          return false;
        }
        if (score > best) {
          best = score;
          *trackId = catalogueIdText(id);
        }
        return true;
      });
  if (!read) return 0;
  return exact || best >= ostrev::kAcceptedScore ? 1 : 0;
}

int get_the_track(st_mysql* handle, FuzzyTextCompare, OCRData* query, std::string* trackId) {
  StatementReader reader(handle);
  return get_the_track(reader, query, trackId);
}

bool artistExists(CatalogueReader& reader, std::string name) {
  return !reader.artistIds(name).empty();
}

bool artistExists(st_mysql* handle, std::string name) {
  StatementReader reader(handle);
  return artistExists(reader, std::move(name));
}

bool albumExists(CatalogueReader& reader, std::string name) {
  return !reader.albumIds(name).empty();
}

bool albumExists(st_mysql* handle, std::string name) {
  StatementReader reader(handle);
  return albumExists(reader, std::move(name));
}

IdList getArtistIDsByName(CatalogueReader& reader, std::string name) {
  return reader.artistIds(name);
}

IdList getArtistIDsByName(st_mysql* handle, std::string name) {
  StatementReader reader(handle);
  return reader.artistIds(name);
}

IdList getAlbumIDsByName(CatalogueReader& reader, std::string name) {
  return reader.albumIds(name);
}

IdList getAlbumIDsByName(st_mysql* handle, std::string name) {
  StatementReader reader(handle);
  return reader.albumIds(name);
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

std::string normalizedArtistExists(CatalogueReader& reader, std::string normalizedName) {
  return reader.normalizedArtistName(normalizedName);
}

std::string normalizedArtistExists(st_mysql* handle, std::string normalizedName) {
  StatementReader reader(handle);
  return reader.normalizedArtistName(normalizedName);
}
