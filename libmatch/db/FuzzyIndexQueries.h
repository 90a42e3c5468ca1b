// The statement that streams every catalogue track, with its artist and album names, into
// the fuzzy stage's index: the joined tables, or the triplets table in triplets mode. Same
// conventions as the track statements.
#ifndef OSTREV_LIBMATCH_DB_FUZZYINDEXQUERIES_H_
#define OSTREV_LIBMATCH_DB_FUZZYINDEXQUERIES_H_

#include <string>

#include <mysql.h>

// Rows: track id, track name, artist name, album name (the last two may be NULL).
bool selectIndexedTracks(st_mysql* handle);
// The statement selectIndexedTracks sends.
std::string indexedTracksStatement();

#endif  // OSTREV_LIBMATCH_DB_FUZZYINDEXQUERIES_H_
