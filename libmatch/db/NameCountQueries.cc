#include "db/NameCountQueries.h"

#include "db/Query.h"
#include "text/Utf8Prefix.h"

namespace {

bool selectCount(st_mysql* handle, const char* prefix, const std::string& name,
                 const char* caller) {
  std::string nameEscaped = escapeString(handle, countedName(name));
  return doQuery(handle, prefix + nameEscaped + "'", caller);
}

}  // namespace

std::string countedName(const std::string& name) { return utf8Prefix(name, kCountedNameBytes); }

bool selectTrackCounterByName(st_mysql* handle, std::string name) {
  return selectCount(handle, "select track_count from track_name_counts where track_name = '",
                     name, "selectTrackCounterByName");
}

bool selectTrackCounterByAlbumName(st_mysql* handle, std::string name) {
  return selectCount(handle, "select track_count from album_name_counts where album_name = '",
                     name, "selectTrackCounterByAlbumName");
}

bool selectTrackCounterByArtistName(st_mysql* handle, std::string name) {
  return selectCount(handle,
                     "select track_count from artist_name_counts where artist_name = '", name,
                     "selectTrackCounterByArtistName");
}

bool selectArtistCounterByName(st_mysql* handle, std::string name) {
  return selectCount(handle,
                     "select artist_count from artist_name_counts where artist_name = '", name,
                     "selectArtistCounterByName");
}
