// The statements that count tracks and artists per name, and the form a name has in the
// count tables. Each name is sent as countedName gives it, escaped. Same conventions as
// the track statements.
#ifndef OSTREV_LIBMATCH_DB_NAMECOUNTQUERIES_H_
#define OSTREV_LIBMATCH_DB_NAMECOUNTQUERIES_H_

#include <cstddef>
#include <string>

#include <mysql.h>

// The count tables hold a name cut to at most this many bytes.
constexpr size_t kCountedNameBytes = 80;

// `name` as the count tables hold it: utf8Prefix to kCountedNameBytes. Whoever fills the
// tables and whoever reads them both cut with this, so every counted name is found.
std::string countedName(const std::string& name);

// Row: number of tracks with that name.
bool selectTrackCounterByName(st_mysql* handle, std::string name);
// Row: number of tracks on albums of that name.
bool selectTrackCounterByAlbumName(st_mysql* handle, std::string name);
// Row: number of tracks by artists of that name.
bool selectTrackCounterByArtistName(st_mysql* handle, std::string name);
// Row: number of artists with that name.
bool selectArtistCounterByName(st_mysql* handle, std::string name);

#endif  // OSTREV_LIBMATCH_DB_NAMECOUNTQUERIES_H_
