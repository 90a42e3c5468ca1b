#include "getdata/TrackCandidates.h"

#include <algorithm>
#include <unordered_map>

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

// Which title scores can still put a row into the track set. The set takes a track
// scoring kMinimumScore or more, and once full only one beating its lowest entry; a row's
// score only grows with its title's, so a row whose title cannot reach the least title
// that enters is skipped without comparing it. The scores are tried with the very
// function that scores the row, so rounding cannot make the bound drop a row.
class EntryBound {
 public:
  EntryBound(const DBResultSet& set, int boostPercent)
      : set_(set), monotone_(boostPercent >= 0 && boostPercent < 100) {
    setChanged();
  }

  // The set was changed: its lowest entry may have moved.
  void setChanged() {
    ++version_;
    full_ = set_.count >= set_.capacity;
    lowest_ = 0;
    for (int i = 0; i < set_.count; ++i) {
      if (i == 0 || set_.records[i].score < lowest_) lowest_ = set_.records[i].score;
    }
  }

  // The rows that follow are scored another way (another artist or album of the set).
  void newRows() { ++version_; }

  // The least title score (0, or kMinimumScore to 100) with which a row scored by
  // `score(title)` could enter: 0 when any can, above 100 when none can. Rows of equal
  // `rowKey` (none when it is kNoRowKey) share `score` until the set changes or newRows.
  static constexpr uint64_t kNoRowKey = ~uint64_t{0};
  template <typename Score>
  int leastTitle(uint64_t rowKey, Score score) {
    if (!monotone_) return 0;
    if (rowKey != kNoRowKey && rowKey == cachedKey_ && version_ == cachedVersion_) {
      return cachedLeast_;
    }
    auto enters = [&](int title) {
      const float total = score(static_cast<float>(title));
      return total >= kMinimumScore && (!full_ || total > lowest_);
    };
    int least;
    if (enters(0)) {
      least = 0;
    } else if (!enters(100)) {
      least = 101;
    } else {
      int low = kMinimumScore, high = 100;
      while (low < high) {
        const int middle = (low + high) / 2;
        if (enters(middle)) {
          high = middle;
        } else {
          low = middle + 1;
        }
      }
      least = low;
    }
    cachedKey_ = rowKey;
    cachedVersion_ = version_;
    cachedLeast_ = least;
    return least;
  }

 private:
  const DBResultSet& set_;
  const bool monotone_;
  bool full_ = false;
  float lowest_ = 0;
  uint64_t version_ = 0;
  uint64_t cachedKey_ = kNoRowKey;
  uint64_t cachedVersion_ = 0;
  int cachedLeast_ = 0;
};

// The title's score for a row that needs at least `least` to enter: titleScore where it
// may matter, else 0 without comparing.
float titleScoreFrom(const PreparedName& title, std::string_view trackName, int least) {
  if (least > 100) return 0;
  return static_cast<float>(title.alignmentScoreAtLeast(trackName, std::max(least, kMinimumScore)));
}

// What a row's score depends on besides its title, as a key of EntryBound: the name key
// of the album (or artist) it was scored with, and whether it has an artist id (boost).
uint64_t rowKey(uint32_t nameKey, uint64_t artistId) {
  if (nameKey == kNoNameKey) return EntryBound::kNoRowKey;
  return uint64_t{nameKey} << 1 | (artistId != 0 ? 1 : 0);
}

// Candidate scores by name key, worked out once per name within one getTracks.
class CandidateScores {
 public:
  CandidateScores(const PreparedTexts& texts, DBResultSet& set) : texts_(texts), set_(set) {}
  float of(uint32_t nameKey, std::string_view name) {
    if (nameKey == kNoNameKey) return candidateScore(texts_, set_, std::string(name));
    auto known = scores_.find(nameKey);
    if (known != scores_.end()) return known->second;
    const float score = candidateScore(texts_, set_, std::string(name));
    scores_.emplace(nameKey, score);
    return score;
  }

 private:
  const PreparedTexts& texts_;
  DBResultSet& set_;
  std::unordered_map<uint32_t, float> scores_;
};

}  // namespace

int getTracks(CatalogueReader& reader, OCRData* query, DBResultSet& trackSet,
              DBResultSet& artistSet, DBResultSet& albumSet, int boostPercent, int boostThreshold) {
  const PreparedName title(query->title);
  const PreparedTexts albums(query->album, query->albumAlt1, query->albumAlt2);
  const PreparedTexts artists(query->artist, query->artistAlt1, query->artistAlt2);
  CandidateScores albumScores(albums, albumSet);
  CandidateScores artistScores(artists, artistSet);
  EntryBound bound(trackSet, boostPercent);
  auto offer = [&](float score, uint64_t trackId) {
    if (score >= kMinimumScore && trackSet.add_record(score, std::to_string(trackId))) {
      bound.setChanged();
    }
  };
  int rowsRead = 0;
  for (int i = 0; i < artistSet.num_records(); ++i) {
    dbresult_rec artist = artistSet[i];
    IdList ids = reader.artistIds(artist.name);
    bool placeholder = query->unknownArtist || is_unknown(artist.name);
    bound.newRows();
    const bool read = reader.tracksOfArtists(ids, [&](const TrackRow& row) {
      ++rowsRead;
      const float album = albumScores.of(row.albumNameKey, row.albumName);
      auto scoreWith = [&](float track) {
        return boosted(combinedTrackScore(placeholder, track, album, artist.score), row.artistId,
                       boostPercent, boostThreshold);
      };
      const int least = bound.leastTitle(rowKey(row.albumNameKey, row.artistId), scoreWith);
      offer(scoreWith(titleScoreFrom(title, row.trackName, least)), row.trackId);
    });
    if (!read) break;
  }
  for (int i = 0; i < albumSet.num_records(); ++i) {
    dbresult_rec album = albumSet[i];
    IdList ids = reader.albumIds(album.name);
    bound.newRows();
    const bool read = reader.tracksOfAlbums(ids, [&](const TrackRow& row) {
      ++rowsRead;
      const std::string artistName(row.artistName);
      bool placeholder = query->unknownArtist || is_unknown(artistName);
      const float artist = artistScores.of(row.artistNameKey, row.artistName);
      auto scoreWith = [&](float track) {
        return boosted(combinedTrackScore(placeholder, track, album.score, artist), row.artistId,
                       boostPercent, boostThreshold);
      };
      const int least = bound.leastTitle(rowKey(row.artistNameKey, row.artistId), scoreWith);
      offer(scoreWith(titleScoreFrom(title, row.trackName, least)), row.trackId);
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
