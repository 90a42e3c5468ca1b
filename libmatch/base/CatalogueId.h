// Catalogue ids (tracks, artists, albums) as numbers, and the one conversion to and from
// the decimal text that the engine's string-keyed interfaces carry. Pure functions; any
// thread.
#ifndef OSTREV_LIBMATCH_BASE_CATALOGUEID_H_
#define OSTREV_LIBMATCH_BASE_CATALOGUEID_H_

#include <cstdint>
#include <string>

// 0 is no row: the catalogue's ids start at 1.
using CatalogueIdNumber = int64_t;

// The id that `text` holds in decimal; 0 for "", "0" or anything that is not a whole
// positive number below 2^63.
CatalogueIdNumber catalogueId(const std::string& text);

// The decimal text of `id`.
std::string catalogueIdText(CatalogueIdNumber id);

#endif  // OSTREV_LIBMATCH_BASE_CATALOGUEID_H_
