// Builds the fuzzy stage's index from the catalogue in one streamed pass. Runs on the
// thread that owns the handle; the index it returns may then be shared.
#ifndef OSTREV_LIBMATCH_FUZZY_FUZZYINDEXLOADER_H_
#define OSTREV_LIBMATCH_FUZZY_FUZZYINDEXLOADER_H_

#include <memory>

#include <mysql.h>

#include "fuzzy/FuzzyTrackIndex.h"

// Every track the catalogue holds (rows without a usable id are left out; NULL names read
// as empty). Null when the statement failed.
std::unique_ptr<const FuzzyTrackIndex> loadFuzzyIndex(st_mysql* handle);

#endif  // OSTREV_LIBMATCH_FUZZY_FUZZYINDEXLOADER_H_
