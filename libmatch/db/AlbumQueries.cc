#include "db/AlbumQueries.h"

#include "db/Query.h"
#include "db/SqlValues.h"

bool selectAlbumsByUPC(st_mysql* handle, std::string upc) {
  // The UPC comes from clients and is compared as a number, unquoted: it must be digits.
  if (!isUpcText(upc)) return false;
  std::string query =
      "select "
      "  al.id, "
      "  al.name, "
      "  al.year, "
      "  al.upc_type "
      "from "
      "  albums as al "
      "where "
      "  al.upc = " + upc;
  return doQuery(handle, query, "selectAlbumsByUPC");
}

bool selectAlbumByID(st_mysql* handle, std::string id) {
  if (!isIdText(id)) return false;
  return doQuery(handle, "select name, year, label from albums where id = " + id,
                 "selectAlbumByID");
}

bool selectAlbumIDsByName(st_mysql* handle, std::string name) {
  std::string nameEscaped = escapeString(handle, name);
  return doQuery(handle, "select id from matchalbums where name = '" + nameEscaped + "'",
                 "selectAlbumIDsByName");
}

bool selectDistinctAlbums(st_mysql* handle) {
  return doQuery(handle, "SELECT DISTINCT ( name ) FROM matchalbums", "selectDistinctAlbums");
}

bool selectAllAlbums(st_mysql* handle) {
  return doQuery(handle, "SELECT name FROM  matchalbums ", "selectAllAlbums");
}

bool selectAlbumsByFirstChar(st_mysql* handle, const char* ch) {
  std::string chEscaped = escapeString(handle, ch != nullptr ? ch : "");
  std::string query = "SELECT name FROM  matchalbums  WHERE name LIKE '" + chEscaped + "%' ";
  return doQuery(handle, query, "selectAlbumsByFirstChar");
}
