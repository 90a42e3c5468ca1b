// Fills the normalized name columns of triplets_disk in batches: rows whose normalized
// track name is still NULL are read, their names normalized and written back. Runs at
// engine start-up on the constructing thread, on the engine's handle.
#ifndef OSTREV_LIBMATCH_DB_TRIPLETSNORMALIZATION_H_
#define OSTREV_LIBMATCH_DB_TRIPLETSNORMALIZATION_H_

#include <string>

#include <mysql.h>

// One row of triplets_disk while its batch is processed.
struct triplet {
  int track_id = 0;
  std::string track_name;
  std::string artist_name;
  std::string album_name;
};

// Normalizes at most `batchSize` rows and commits; returns how many were processed
// (0 when none were left or they could not be read).
int normalizeTriplets(st_mysql* handle, int batchSize);

// Row: track id, track name, artist name, album name, for rows not yet normalized.
bool selectNotNormalizedTriplets(st_mysql* handle, int limit);

// Replaces the three names by their normalized forms.
void normalizeTriplet(triplet* t);

// Stores the three names of `t`, each cut by lookupText(), in the row of its track id.
bool updateTiplet(st_mysql* handle, triplet* t);

#endif  // OSTREV_LIBMATCH_DB_TRIPLETSNORMALIZATION_H_
