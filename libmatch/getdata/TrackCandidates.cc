#include "getdata/TrackCandidates.h"

#include "db/NameCountQueries.h"
#include "db/QueryResult.h"
#include "getdata/IdentifierLookups.h"
#include "getdata/RowFields.h"
#include "text/CombinedScore.h"
#include "text/Normalize.h"
#include "text/PreparedName.h"
#include "text/PreparedTexts.h"

namespace {

constexpr int kMinimumScore = 41;
constexpr int kMostTracksPerName = 500;

// A candidate name's score: from the set when the set holds it, else the best comparison
// with the query texts.
float candidateScore(const PreparedTexts& texts, DBResultSet& set, const std::string& name) {
  dbresult_rec held;
  if (set.get_record(name, &held)) return held.score;
  return static_cast<float>(texts.bestScore(name));
}

// The title's score, counted only from kMinimumScore up.
float titleScore(const PreparedName& title, const std::string& trackName) {
  return static_cast<float>(title.alignmentScoreAtLeast(trackName, kMinimumScore));
}

float combinedTrackScore(bool placeholderArtist, float track, float album, float artist) {
  if (placeholderArtist) return weightedTrackScoreWithoutArtist(track, album);
  return weightedTrackScore(track, album, artist);
}

float boosted(float score, const char* artistIdField, int boostPercent, int boostThreshold) {
  if (fieldNumber(artistIdField) == 0 || boostPercent == 0 || score < boostThreshold) {
    return score;
  }
  return score + (100 - score) * (boostPercent / 100.0f);
}

}  // namespace

int getTracks(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet& trackSet,
              DBResultSet& artistSet, DBResultSet& albumSet, int boostPercent, int boostThreshold) {
  const PreparedName title(query->title);
  const PreparedTexts albums(query->album, query->albumAlt1, query->albumAlt2);
  const PreparedTexts artists(query->artist, query->artistAlt1, query->artistAlt2);
  int rowsRead = 0;
  for (int i = 0; i < artistSet.num_records(); ++i) {
    dbresult_rec artist = artistSet[i];
    IdList ids = getArtistIDsByName(handle, artist.name);
    bool placeholder = query->unknownArtist || is_unknown(artist.name);
    if (!selectTracksByArtistIDs(handle, &ids)) break;
    QueryResult rows(handle);
    if (!rows.ok()) break;
    // Row: track id, track name, album name, artist id.
    while (MYSQL_ROW row = rows.next()) {
      float track = titleScore(title, fieldText(row[1]));
      float album = candidateScore(albums, albumSet, fieldText(row[2]));
      float score = boosted(combinedTrackScore(placeholder, track, album, artist.score), row[3],
                            boostPercent, boostThreshold);
      if (score >= kMinimumScore) trackSet.add_record(score, fieldText(row[0]));
    }
    rowsRead += static_cast<int>(rows.rowCount());
  }
  for (int i = 0; i < albumSet.num_records(); ++i) {
    dbresult_rec album = albumSet[i];
    IdList ids = getAlbumIDsByName(handle, album.name);
    if (!selectTracksByAlbumIDs(handle, &ids)) break;
    QueryResult rows(handle);
    if (!rows.ok()) break;
    // Row: track id, track name, artist name, artist id, album id.
    while (MYSQL_ROW row = rows.next()) {
      std::string artistName = fieldText(row[2]);
      bool placeholder = query->unknownArtist || is_unknown(artistName);
      float track = titleScore(title, fieldText(row[1]));
      float artist = candidateScore(artists, artistSet, artistName);
      float score = boosted(combinedTrackScore(placeholder, track, album.score, artist), row[3],
                            boostPercent, boostThreshold);
      if (score >= kMinimumScore) trackSet.add_record(score, fieldText(row[0]));
    }
    rowsRead += static_cast<int>(rows.rowCount());
  }
  return rowsRead;
}

int getTracksByName(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet& trackSet,
                    DBResultSet& artistSet, DBResultSet& albumSet, int, int, std::string name) {
  // A name this common says little about which track is meant.
  if (getTrackCounterByName(handle, name) > kMostTracksPerName) return 0;
  if (!selectTrackByName(handle, name)) return 0;
  QueryResult rows(handle);
  if (!rows.ok()) return 0;
  const float kExactTitle = 100;
  const PreparedTexts albums(query->album, query->albumAlt1, query->albumAlt2);
  const PreparedTexts artists(query->artist, query->artistAlt1, query->artistAlt2);
  // Row: track id, track name, album name, artist name.
  while (MYSQL_ROW row = rows.next()) {
    if (rows.fieldCount() < 4) continue;
    std::string artistName = fieldText(row[3]);
    float album = candidateScore(albums, albumSet, fieldText(row[2]));
    float artist = candidateScore(artists, artistSet, artistName);
    float score = query->unknownArtist || is_unknown(artistName)
                      ? weightedTrackScoreWithoutArtist(kExactTitle, album)
                      : calculateCombinedScore(kExactTitle, album, artist);
    trackSet.add_record(score, fieldText(row[0]));
  }
  return static_cast<int>(rows.rowCount());
}

int getTrackCounterByName(st_mysql* handle, std::string name) {
  if (!selectTrackCounterByName(handle, name)) return 0;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  return row != nullptr ? fieldNumber(row[0]) : 0;
}
