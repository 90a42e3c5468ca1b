// The catalogue generation: one number in the catalogue_generation table that every
// import raises once it has changed the catalogue. Same conventions as the other
// statements: one thread at a time on the handle.
#ifndef OSTREV_LIBMATCH_DB_GENERATIONQUERIES_H_
#define OSTREV_LIBMATCH_DB_GENERATIONQUERIES_H_

#include <mysql.h>

// Raises the generation by one (the first is 1), creating the table in a catalogue made
// before it existed. The caller commits.
bool bumpCatalogueGeneration(st_mysql* handle);

// The current generation into `*generation`: 0 for a catalogue that has never had one (no
// table, or no row). False when the catalogue could not be asked.
bool readCatalogueGeneration(st_mysql* handle, unsigned long long* generation);

#endif  // OSTREV_LIBMATCH_DB_GENERATIONQUERIES_H_
