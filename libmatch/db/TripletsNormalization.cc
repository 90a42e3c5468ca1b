#include "db/TripletsNormalization.h"

#include <cstdlib>
#include <vector>

#include "db/Query.h"
#include "db/QueryResult.h"
#include "text/Normalize.h"
#include "text/Utf8Prefix.h"

bool selectNotNormalizedTriplets(st_mysql* handle, int limit) {
  std::string query =
      "select "
      "  track_id, "
      "  track_name, "
      "  artist_name, "
      "  album_name "
      "from "
      "  triplets_disk "
      "where "
      "  normalized_track_name is null "
      "limit " + std::to_string(limit);
  return doQuery(handle, query, "selectNotNormalizedTriplets");
}

void normalizeTriplet(triplet* t) {
  t->artist_name = normalizeName(&t->artist_name, true);
  t->album_name = normalizeName(&t->album_name, false);
  t->track_name = normalizeName(&t->track_name, true);
}

bool updateTiplet(st_mysql* handle, triplet* t) {
  std::string trackEscaped = escapeString(handle, lookupText(t->track_name));
  std::string artistEscaped = escapeString(handle, lookupText(t->artist_name));
  std::string albumEscaped = escapeString(handle, lookupText(t->album_name));
  std::string query =
      "update triplets_disk "
      "set "
      "  normalized_track_name  = '" + trackEscaped + "', "
      "  normalized_artist_name = '" + artistEscaped + "', "
      "  normalized_album_name  = '" + albumEscaped + "' "
      "where "
      "  track_id = " + std::to_string(t->track_id);
  return doQuery(handle, query, "updateTiplet");
}

int normalizeTriplets(st_mysql* handle, int batchSize) {
  selectNotNormalizedTriplets(handle, batchSize);
  std::vector<triplet> batch;
  {
    // Every row is read before the first update: the handle takes no new statement while
    // a streamed result is open.
    QueryResult rows(handle);
    if (!rows.ok()) return 0;
    while (MYSQL_ROW row = rows.next()) {
      if (row[0] == nullptr) continue;
      triplet t;
      t.track_id = atoi(row[0]);
      if (row[1] != nullptr) t.track_name = row[1];
      if (row[2] != nullptr) t.artist_name = row[2];
      if (row[3] != nullptr) t.album_name = row[3];
      batch.push_back(std::move(t));
    }
  }
  int count = 0;
  for (triplet& t : batch) {
    ++count;
    normalizeTriplet(&t);
    updateTiplet(handle, &t);  // a failed row keeps its NULL and comes back next batch
  }
  mysql_commit(handle);
  return count;
}
