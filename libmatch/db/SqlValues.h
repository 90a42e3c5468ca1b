// The values statements splice in without quotes (ids, id lists, UPCs) and the checks
// that keep anything else out of a statement. Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_DB_SQLVALUES_H_
#define OSTREV_LIBMATCH_DB_SQLVALUES_H_

#include <string>

#include "db/TrackQueries.h"

// An optional '-' and 1 to 20 ASCII digits.
bool isIdText(const std::string& text);

// Ids separated by commas, blanks allowed around them.
bool isIdListText(const std::string& text);

// 1 to 20 ASCII digits.
bool isUpcText(const std::string& text);

// The ids written in decimal and joined by `separator`; `whenEmpty` for no ids (or none
// given), so that the statement stays valid and matches nothing.
std::string joinedIds(const IdList* ids, const char* separator, const char* whenEmpty);

// The first `count` id texts joined by ", "; false when one of them is not an id.
bool joinedIdTexts(const std::string* ids, int count, std::string* joined);

#endif  // OSTREV_LIBMATCH_DB_SQLVALUES_H_
