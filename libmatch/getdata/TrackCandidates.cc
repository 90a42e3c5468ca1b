#include "getdata/TrackCandidates.h"

#include "getdata/StatementReader.h"
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
float titleScore(const PreparedName& title, std::string_view trackName) {
  return static_cast<float>(title.alignmentScoreAtLeast(trackName, kMinimumScore));
}

float combinedTrackScore(bool placeholderArtist, float track, float album, float artist) {
  if (placeholderArtist) return weightedTrackScoreWithoutArtist(track, album);
  return weightedTrackScore(track, album, artist);
}

float boosted(float score, uint64_t artistId, int boostPercent, int boostThreshold) {
  if (artistId == 0 || boostPercent == 0 || score < boostThreshold) {
    return score;
  }
  return score + (100 - score) * (boostPercent / 100.0f);
}

}  // namespace

int getTracks(CatalogueReader& reader, OCRData* query, DBResultSet& trackSet,
              DBResultSet& artistSet, DBResultSet& albumSet, int boostPercent, int boostThreshold) {
  const PreparedName title(query->title);
  const PreparedTexts albums(query->album, query->albumAlt1, query->albumAlt2);
  const PreparedTexts artists(query->artist, query->artistAlt1, query->artistAlt2);
  int rowsRead = 0;
  for (int i = 0; i < artistSet.num_records(); ++i) {
    dbresult_rec artist = artistSet[i];
    IdList ids = reader.artistIds(artist.name);
    bool placeholder = query->unknownArtist || is_unknown(artist.name);
    const bool read = reader.tracksOfArtists(ids, [&](const TrackRow& row) {
      ++rowsRead;
      float track = titleScore(title, row.trackName);
      float album = candidateScore(albums, albumSet, std::string(row.albumName));
      float score = boosted(combinedTrackScore(placeholder, track, album, artist.score),
                            row.artistId, boostPercent, boostThreshold);
      if (score >= kMinimumScore) trackSet.add_record(score, std::to_string(row.trackId));
    });
    if (!read) break;
  }
  for (int i = 0; i < albumSet.num_records(); ++i) {
    dbresult_rec album = albumSet[i];
    IdList ids = reader.albumIds(album.name);
    const bool read = reader.tracksOfAlbums(ids, [&](const TrackRow& row) {
      ++rowsRead;
      const std::string artistName(row.artistName);
      bool placeholder = query->unknownArtist || is_unknown(artistName);
      float track = titleScore(title, row.trackName);
      float artist = candidateScore(artists, artistSet, artistName);
      float score = boosted(combinedTrackScore(placeholder, track, album.score, artist),
                            row.artistId, boostPercent, boostThreshold);
      if (score >= kMinimumScore) trackSet.add_record(score, std::to_string(row.trackId));
    });
    if (!read) break;
  }
  return rowsRead;
}

int getTracks(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet& trackSet,
              DBResultSet& artistSet, DBResultSet& albumSet, int boostPercent, int boostThreshold) {
  StatementReader reader(handle);
  return getTracks(reader, query, trackSet, artistSet, albumSet, boostPercent, boostThreshold);
}

int getTracksByName(CatalogueReader& reader, OCRData* query, DBResultSet& trackSet,
                    DBResultSet& artistSet, DBResultSet& albumSet, const std::string& name) {
  // A name this common says little about which track is meant.
  if (reader.trackNameCount(name) > kMostTracksPerName) return 0;
  const float kExactTitle = 100;
  const PreparedTexts albums(query->album, query->albumAlt1, query->albumAlt2);
  const PreparedTexts artists(query->artist, query->artistAlt1, query->artistAlt2);
  int rowsRead = 0;
  reader.tracksNamed(name, [&](const TrackRow& row) {
    ++rowsRead;
    const std::string artistName(row.artistName);
    float album = candidateScore(albums, albumSet, std::string(row.albumName));
    float artist = candidateScore(artists, artistSet, artistName);
    float score = query->unknownArtist || is_unknown(artistName)
                      ? weightedTrackScoreWithoutArtist(kExactTitle, album)
                      : calculateCombinedScore(kExactTitle, album, artist);
    trackSet.add_record(score, std::to_string(row.trackId));
  });
  return rowsRead;
}

int getTracksByName(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet& trackSet,
                    DBResultSet& artistSet, DBResultSet& albumSet, int, int, std::string name) {
  StatementReader reader(handle);
  return getTracksByName(reader, query, trackSet, artistSet, albumSet, name);
}

int getTrackCounterByName(st_mysql* handle, std::string name) {
  StatementReader reader(handle);
  return reader.trackNameCount(name);
}
