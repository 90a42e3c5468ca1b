#include "tools/import/catalogue_state.h"

#include <cstdlib>

#include "db/Query.h"
#include "db/QueryResult.h"
#include "tools/import/catalogue_tables.h"

namespace {

constexpr const char* kCaller = "ostrev-import";

CatalogueId number(const char* field) {
  return field != nullptr ? std::strtoull(field, nullptr, 10) : 0;
}

}  // namespace

bool catalogueHasTracks(st_mysql* handle, bool* hasTracks) {
  if (!doQuery(handle, "select exists (select 1 from tracks)", kCaller)) return false;
  QueryResult result(handle);
  MYSQL_ROW row = result.next();
  if (row == nullptr) return false;
  *hasTracks = number(row[0]) != 0;
  return true;
}

bool catalogueIsEmpty(st_mysql* handle, bool* empty) {
  std::string query;
  for (const char* table : kCatalogueTables) {
    query += (query.empty() ? "select " : " or ") + std::string("exists (select 1 from ") + table +
             ")";
  }
  if (!doQuery(handle, query, kCaller)) return false;
  QueryResult result(handle);
  MYSQL_ROW row = result.next();
  if (row == nullptr) return false;
  *empty = number(row[0]) == 0;
  return true;
}

bool readFirstIds(st_mysql* handle, FirstIds* first) {
  const char* query =
      "select greatest((select coalesce(max(id), 0) from artists),"
      "                (select coalesce(max(id), 0) from matchartists),"
      "                (select coalesce(max(id), 0) from matchartistsdisk)),"
      "       greatest((select coalesce(max(id), 0) from albums),"
      "                (select coalesce(max(id), 0) from matchalbums)),"
      "       greatest((select coalesce(max(id), 0) from tracks),"
      "                (select coalesce(max(id), 0) from matchtracks),"
      "                (select coalesce(max(track_id), 0) from triplets),"
      "                (select coalesce(max(track_id), 0) from triplets_disk))";
  if (!doQuery(handle, query, kCaller)) return false;
  QueryResult result(handle);
  MYSQL_ROW row = result.next();
  if (row == nullptr) return false;
  first->artist = number(row[0]) + 1;
  first->album = number(row[1]) + 1;
  first->track = number(row[2]) + 1;
  return true;
}

bool readKnownArtists(st_mysql* handle, std::unordered_map<std::string, CatalogueId>* artists) {
  if (!doQuery(handle, "select id, display_name from matchartists order by id", kCaller)) {
    return false;
  }
  QueryResult result(handle);
  if (!result.ok()) return false;
  while (MYSQL_ROW row = result.next()) {
    if (row[1] != nullptr) artists->emplace(row[1], number(row[0]));
  }
  // A fetch that stopped early leaves an error on the handle.
  return mysql_errno(handle) == 0;
}
