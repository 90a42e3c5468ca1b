// What the importer reads from the catalogue before it adds anything:
// whether it has tracks or any rows, the largest ids, the artists it knows. Borrows the handle; the
// thread that owns the connection. Every function returns false on a database error,
// which mysql_error() on the handle then describes.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_STATE_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_STATE_H_

#include <string>
#include <unordered_map>

#include <mysql.h>

#include "tools/import/catalogue_model.h"

bool catalogueHasTracks(st_mysql* handle, bool* hasTracks);

// Whether no catalogue table has a row.
bool catalogueIsEmpty(st_mysql* handle, bool* empty);

// One past the largest id of each kind, over every table that holds such ids.
bool readFirstIds(st_mysql* handle, FirstIds* first);

// The artists by display name; of several with one name, the smallest id.
bool readKnownArtists(st_mysql* handle, std::unordered_map<std::string, CatalogueId>* artists);

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_STATE_H_
