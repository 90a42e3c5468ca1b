// The statements that read the catalogue whole for the resident catalogue, one streamed
// pass per table. Each sends one statement through doQuery and returns whether it was
// accepted; the caller streams the rows through a QueryResult. Same threading as the
// handle.
#ifndef OSTREV_LIBMATCH_DB_RESIDENTQUERIES_H_
#define OSTREV_LIBMATCH_DB_RESIDENTQUERIES_H_

#include <string>

#include <mysql.h>

// Row: collation name; one row per collation the catalogue's name columns use.
bool selectNameCollations(st_mysql* handle);
// Row: id, display name, normalized name.
bool selectAllMatchArtists(st_mysql* handle);
// Row: id, name, artist id, multiple artists.
bool selectAllMatchAlbums(st_mysql* handle);
// Row: id, name, upc.
bool selectAllAlbumUpcs(st_mysql* handle);
// Row: id, display name.
bool selectAllArtistNames(st_mysql* handle);
// Row: id, name, artist id, album id, isrc.
bool selectAllTracks(st_mysql* handle);
// Row: id, name, artist id, album id.
bool selectAllMatchTracks(st_mysql* handle);
// Row: album id, artist id; each pair of the match tracks once.
bool selectMatchTrackAlbumArtists(st_mysql* handle);
// Row: track id, track name, artist id, artist name, album id, album name, isrc, upc,
// album multiple artists, album artist name; from `table` ("triplets" or "triplets_disk").
bool selectAllTriplets(st_mysql* handle, const std::string& table);
// Row: track name, track count.
bool selectAllTrackNameCounts(st_mysql* handle);

// Row: how the server would run `statement` (EXPLAIN): id, select type, table, type, ...
bool explainStatement(st_mysql* handle, const std::string& statement);

#endif  // OSTREV_LIBMATCH_DB_RESIDENTQUERIES_H_
