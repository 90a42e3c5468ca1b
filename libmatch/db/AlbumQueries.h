// The statements that return albums. Same conventions as the track statements: escaped
// text, one doQuery, rows streamed by the caller. None follows the triplets mode.
#ifndef OSTREV_LIBMATCH_DB_ALBUMQUERIES_H_
#define OSTREV_LIBMATCH_DB_ALBUMQUERIES_H_

#include <string>

#include <mysql.h>

// Row: album id, album name, year, UPC type. The UPC is compared as a number; anything
// but 1 to 20 ASCII digits is refused without sending a statement (false).
bool selectAlbumsByUPC(st_mysql* handle, std::string upc);
// Row: album name, year, label.
bool selectAlbumByID(st_mysql* handle, std::string id);
// Row: album id.
bool selectAlbumIDsByName(st_mysql* handle, std::string name);
// Row: album name, each name once.
bool selectDistinctAlbums(st_mysql* handle);
// Row: album name, one per album.
bool selectAllAlbums(st_mysql* handle);
// Row: album name, for names starting with `ch` ("%" and "_" act as wildcards).
bool selectAlbumsByFirstChar(st_mysql* handle, const char* ch);

#endif  // OSTREV_LIBMATCH_DB_ALBUMQUERIES_H_
