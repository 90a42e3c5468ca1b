#include "db/ArtistQueries.h"

#include <utility>

#include "db/Query.h"
#include "db/SqlValues.h"
#include "text/Normalize.h"

namespace {

const char kFindsNothing[] = "select id from matchartists where false";

}  // namespace

bool isUnknown(std::string name) { return is_unknown(std::move(name)); }

bool selectArtistByID(st_mysql* handle, std::string id) {
  if (!isIdText(id)) return false;
  return doQuery(handle, "select display_name from matchartists where id = " + id,
                 "selectArtistByID");
}

bool selectDistinctArtists(st_mysql* handle) {
  return doQuery(handle, "SELECT DISTINCT ( display_name ) FROM matchartists",
                 "selectDistinctArtists");
}

bool selectAllArtists(st_mysql* handle) {
  return doQuery(handle, "select display_name from  matchartists ", "selectAllArtists");
}

bool selectArtistsByFirstChar(st_mysql* handle, const char* ch) {
  std::string chEscaped = escapeString(handle, ch != nullptr ? ch : "");
  std::string query =
      "select display_name from  matchartists  where display_name like '" + chEscaped + "%' ";
  return doQuery(handle, query, "selectArtistsByFirstChar");
}

bool selectArtistsByFullText(st_mysql* handle, std::string text) {
  std::string textEscaped = escapeString(handle, text);
  std::string query =
      "select distinct ( display_name ) from matchartistsdisk where MATCH ( display_name ) "
      "AGAINST ( '" + textEscaped + "' )";
  return doQuery(handle, query, "selectArtistsByFullText");
}

bool selectArtistsByAlbum(st_mysql* handle, std::string album) {
  std::string albumEscaped = escapeString(handle, album);
  std::string query =
      "select "
      "  ar1.display_name "
      "from "
      "  matchalbums al1 "
      "  join matchartists ar1 "
      "    on ar1.id = al1.artist_id "
      "where "
      "  ar1.display_name not in " + std::string(UNKNOWN_LIST) + " and "
      "  al1.name = '" + albumEscaped + "' "
      "union distinct "
      "select "
      "  ar2.display_name "
      "from "
      "  matchtracks t2 "
      "  join matchalbums al2 "
      "    on t2.album_id = al2.id "
      "  join matchartists ar2 "
      "    on t2.artist_id = ar2.id "
      "where "
      "  ar2.display_name not in " + UNKNOWN_LIST + " and "
      "  al2.name = '" + albumEscaped + "'";
  return doQuery(handle, query, "selectArtistsByAlbum");
}

bool selectUnknownArtistIDs(st_mysql* handle) {
  std::string query =
      "select "
      "  ar.id "
      "from "
      "  matchartists ar "
      "where "
      "  ar.display_name in " + std::string(UNKNOWN_LIST);
  return doQuery(handle, query, "selectUnknownArtistIDs");
}

bool selectArtistIDsByNormalizedName(st_mysql* handle, std::string name) {
  if (isUnknown(name)) return doQuery(handle, kFindsNothing, "selectArtistIDsByNormalizedName");
  std::string nameEscaped = escapeString(handle, name);
  std::string query = "select display_name from matchartists where "
                      "matchartists.display_name not in " + std::string(UNKNOWN_LIST) +
                      " and normalized_name = '" + nameEscaped + "' ";
  return doQuery(handle, query, "selectArtistIDsByNormalizedName");
}

bool selectArtistIDsByName(st_mysql* handle, std::string name) {
  if (isUnknown(name)) return doQuery(handle, kFindsNothing, "selectArtistIDsByName");
  std::string nameEscaped = escapeString(handle, name);
  std::string query =
      "select id from matchartists where matchartists.display_name = '" + nameEscaped + "' ";
  return doQuery(handle, query, "selectArtistIDsByName");
}
