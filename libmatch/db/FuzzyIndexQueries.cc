#include "db/FuzzyIndexQueries.h"

#include <string>

#include "db/Query.h"

std::string indexedTracksStatement() {
  if (getUseTripletsTable()) {
    return "select track_id, track_name, artist_name, album_name from " + getTripletsTable();
  }
  return "select mt.id, mt.name, ar.display_name, al.name "
         "from matchtracks mt "
         "left join matchartists ar on ar.id = mt.artist_id "
         "left join matchalbums al on al.id = mt.album_id";
}

bool selectIndexedTracks(st_mysql* handle) {
  return doQuery(handle, indexedTracksStatement(), "selectIndexedTracks");
}
