// The statements that return artists and artist ids, and the placeholder-artist test
// they share. Same conventions as the track statements; none follows the triplets mode.
#ifndef OSTREV_LIBMATCH_DB_ARTISTQUERIES_H_
#define OSTREV_LIBMATCH_DB_ARTISTQUERIES_H_

#include <string>

#include <mysql.h>

// True when `name` is one of the placeholder artist names ("Unknown", "Various Artists",
// ...), byte-exact and case-sensitive: is_unknown, by the name the statements here use.
bool isUnknown(std::string name);

// Row: artist display name.
bool selectArtistByID(st_mysql* handle, std::string id);
// Row: display name, each once.
bool selectDistinctArtists(st_mysql* handle);
// Row: display name, one per artist.
bool selectAllArtists(st_mysql* handle);
// Row: display name, for names starting with `ch` ("%" and "_" act as wildcards).
bool selectArtistsByFirstChar(st_mysql* handle, const char* ch);
// Row: display name, each once, by a natural-language full-text search.
bool selectArtistsByFullText(st_mysql* handle, std::string text);
// Row: display name, each once: the album artists of the albums of that name and the
// artists of their tracks, placeholders left out.
bool selectArtistsByAlbum(st_mysql* handle, std::string album);
// Row: artist id of each placeholder artist.
bool selectUnknownArtistIDs(st_mysql* handle);
// Row: display name of the artists whose normalized name is `name`; a placeholder `name`
// sends a statement that finds nothing.
bool selectArtistIDsByNormalizedName(st_mysql* handle, std::string name);
// Row: artist id; a placeholder `name` sends a statement that finds nothing.
bool selectArtistIDsByName(st_mysql* handle, std::string name);

#endif  // OSTREV_LIBMATCH_DB_ARTISTQUERIES_H_
