#include "fuzzy/FuzzyIndexLoader.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "db/FuzzyIndexQueries.h"
#include "db/QueryResult.h"

namespace {

std::string textOf(const char* field) { return field != nullptr ? field : ""; }

// A catalogue id: a positive decimal number, nothing else.
bool parseId(const char* field, int64_t* id) {
  if (field == nullptr || *field == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long value = strtoll(field, &end, 10);
  if (errno != 0 || *end != '\0' || value <= 0) return false;
  *id = value;
  return true;
}

}  // namespace

std::unique_ptr<const FuzzyTrackIndex> loadFuzzyIndex(st_mysql* handle) {
  if (!selectIndexedTracks(handle)) return nullptr;
  QueryResult rows(handle);
  if (!rows.ok() || rows.fieldCount() < 4) return nullptr;
  FuzzyTrackIndex::Builder builder;
  while (MYSQL_ROW row = rows.next()) {
    int64_t id;
    if (!parseId(row[0], &id)) continue;
    builder.add(id, textOf(row[1]), textOf(row[2]), textOf(row[3]));
  }
  return builder.build();
}
