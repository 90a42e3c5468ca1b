// The statements that count tracks and artists per name. The name is cut to its first 80
// bytes (the counted names are stored that way), then escaped. Same conventions as the
// track statements.
#ifndef OSTREV_LIBMATCH_DB_NAMECOUNTQUERIES_H_
#define OSTREV_LIBMATCH_DB_NAMECOUNTQUERIES_H_

#include <string>

#include <mysql.h>

// Row: number of tracks with that name.
bool selectTrackCounterByName(st_mysql* handle, std::string name);
// Row: number of tracks on albums of that name.
bool selectTrackCounterByAlbumName(st_mysql* handle, std::string name);
// Row: number of tracks by artists of that name.
bool selectTrackCounterByArtistName(st_mysql* handle, std::string name);
// Row: number of artists with that name.
bool selectArtistCounterByName(st_mysql* handle, std::string name);

#endif  // OSTREV_LIBMATCH_DB_NAMECOUNTQUERIES_H_
