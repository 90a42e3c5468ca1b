// The selection step every strategy of TextTrackLookup ends in: the track set is filled
// from the candidate artists and albums (or from one track name), its best entry becomes
// the answer, and a confident answer is remembered.
#include "TextTrackLookup.h"
#include "getdata/TrackCandidates.h"

bool TextTrackLookup::findInexactMatch(OCRData query, std::string* result, DBResultSet artists,
                                       DBResultSet albums, DBResultSet tracks, float* score) {
  getTracks(reader(), &query, tracks, artists, albums, singleArtAlbBoost, highConfScore);
  return selectTrack(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findInexactTrackMatch(OCRData query, std::string* result,
                                            DBResultSet artists, DBResultSet albums,
                                            DBResultSet tracks, float* score,
                                            std::string name) {
  getTracksByName(reader(), &query, tracks, artists, albums, name);
  return selectTrack(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::selectTrack(OCRData& query, std::string* result, DBResultSet& artists,
                                  DBResultSet& albums, DBResultSet& tracks, float* score) {
  if (option_flags & (OPT_DEBUG | OPT_SYNONYM | OPT_METRICS)) {
    debug_output(&artists, artists.num_records(), &albums, albums.num_records(), &tracks,
                 tracks.num_records(), &query);
  }
  // The highest score wins, the smallest id among equals; a NaN score never wins.
  int best = -1;
  float bestScore = -1;
  for (int i = 0; i < tracks.num_records(); ++i) {
    const dbresult_rec& candidate = tracks.records[i];
    if (candidate.score > bestScore ||
        (best >= 0 && candidate.score == bestScore && candidate.name < tracks.records[best].name)) {
      best = i;
      bestScore = candidate.score;
    }
  }
  if (best < 0) {
    *score = 10;
    return false;
  }
  *result = tracks.records[best].name;
  *score = bestScore;
  if (!(*score >= static_cast<float>(highConfScore))) return false;
  addRecentQuery(query, *score, *result);
  return true;
}
