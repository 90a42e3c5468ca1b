// The statements that return tracks. Each builder escapes its text arguments on the
// handle, sends one statement through doQuery and returns whether it was sent and
// accepted; the caller then streams the rows through a QueryResult, which frees them. The
// switched builders read the triplets table in triplets mode. Same threading as the
// handle: one thread at a time.
#ifndef OSTREV_LIBMATCH_DB_TRACKQUERIES_H_
#define OSTREV_LIBMATCH_DB_TRACKQUERIES_H_

#include <list>
#include <memory>
#include <string>

#include <mysql.h>

// Catalogue ids as the candidate searches collect them.
using IdList = std::list<std::unique_ptr<int>>;

// Row: track id.
bool selectTrackByISRC(st_mysql* handle, std::string isrc);
// Row: track id, artist id, album id, track name, artist name, album name.
bool selectTracksByISRC(st_mysql* handle, std::string isrc);
// Row: track id, track name, album name, artist name.
bool selectTrackByName(st_mysql* handle, std::string name);
// Row: track id, artist name; highest track id first. The artist may also be the album
// artist of a single-artist album.
bool selectExactTrack(st_mysql* handle, std::string artist, std::string album, std::string track);
// An empty track id is repaired to 0 (and said so on standard error, naming `caller`); false
// for any other text that is not an id, before it could become part of a statement.
bool checkedTrackId(std::string* id, const char* caller);

// Row: track name, artist id, artist name, album id, album name. An empty id is sent as 0.
bool selectMinimalTrackByID(st_mysql* handle, std::string id);
// Row: track name, artist id, artist name, album id, album name, length, label, year.
bool selectTrackByID(st_mysql* handle, std::string id);
// Row: track id, track name, artist name, artist id, album id.
bool selectTracksByAlbumIDs(st_mysql* handle, const IdList* ids);
// Row: track id, track name, album name, artist id.
bool selectTracksByArtistIDs(st_mysql* handle, const IdList* ids);
// The statement selectTracksByArtistIDs sends.
std::string tracksByArtistIdsStatement(const IdList* ids);
// Row: track id, track name, artist id, artist name, album id, album name.
bool selectTracksByAlbumUPC(st_mysql* handle, std::string upc);
// Row: track id, track name, artist id, artist name, album id.
bool selectTracksByAlbumName(st_mysql* handle, std::string name);
// Row: track id, track name. The first `artistCount` artist ids and `albumCount` album ids
// are spliced in as given.
bool selectTracksByArtistAlbum(st_mysql* handle, const std::string* artistIds, int artistCount,
                               const std::string* albumIds, int albumCount);
// Row: track id, artist id, album id, track name, artist name, album name. `idList` is a
// comma-separated list of track ids, spliced in as given.
bool selectArtistAlbumByIdList(st_mysql* handle, std::string idList);

#endif  // OSTREV_LIBMATCH_DB_TRACKQUERIES_H_
