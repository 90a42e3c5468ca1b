#include "db/FuzzyIndexQueries.h"

#include <string>

#include "db/Query.h"

bool selectIndexedTracks(st_mysql* handle) {
  if (getUseTripletsTable()) {
    return doQuery(handle,
                   "select track_id, track_name, artist_name, album_name from " +
                       getTripletsTable(),
                   "selectIndexedTracks");
  }
  return doQuery(handle,
                 "select mt.id, mt.name, ar.display_name, al.name "
                 "from matchtracks mt "
                 "left join matchartists ar on ar.id = mt.artist_id "
                 "left join matchalbums al on al.id = mt.album_id",
                 "selectIndexedTracks");
}
