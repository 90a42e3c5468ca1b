// Reads a song description file ("Key|value" lines) into the text fields of a lookup
// request. The caller owns the FILE and the request; any thread, one file at a time.
#ifndef OSTREV_CLIENT_QUERY_FILE_H_
#define OSTREV_CLIENT_QUERY_FILE_H_

#include <cstdio>

#include "wire/wire_format.h"

// Empties artist, album, track, isrc and upc, then fills them from the "Artist", "Album",
// "Song", "ISRC" and "UPC" lines of `file`; other lines are ignored and a later line wins.
// Lines are read in pieces of at most 1023 bytes, each piece counting as a line, and a
// value keeps its '\r' but not its '\n'. Values are cut to 199 bytes. command_name is
// left alone.
void read_query_file(FILE* file, lookup_query* query);

#endif  // OSTREV_CLIENT_QUERY_FILE_H_
