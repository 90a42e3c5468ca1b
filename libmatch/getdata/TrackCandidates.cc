#include "getdata/TrackCandidates.h"

#include <algorithm>
#include <unordered_map>

#include "base/CatalogueId.h"
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

// What a row's score is made of besides its title.
struct RowScoring {
  bool placeholderArtist;
  float album;
  float artist;
  bool boostable;  // the row has an artist id
  bool operator==(const RowScoring& other) const {
    return placeholderArtist == other.placeholderArtist && album == other.album &&
           artist == other.artist && boostable == other.boostable;
  }
};

// The row's score with a title score of `title`: the weighted scores, and a score at or
// above `boostThreshold` on a track with an artist raised by `boostPercent` of its
// distance to 100.
float rowScore(const RowScoring& row, float title, int boostPercent, int boostThreshold) {
  const float score = row.placeholderArtist
                          ? weightedTrackScoreWithoutArtist(title, row.album)
                          : weightedTrackScore(title, row.album, row.artist);
  if (!row.boostable || boostPercent == 0 || score < boostThreshold) return score;
  return score + (100 - score) * (boostPercent / 100.0f);
}

// Which title scores can still put a row into the track set. The set takes a track
// scoring kMinimumScore or more, and once full only one beating its lowest entry; a row's
// score only grows with its title's, so a row whose title cannot reach the least title
// that enters is skipped without comparing it. The scores are tried with rowScore itself,
// so rounding cannot make the bound drop a row.
class EntryBound {
 public:
  EntryBound(const DBResultSet& set, int boostPercent, int boostThreshold)
      : set_(set),
        boostPercent_(boostPercent),
        boostThreshold_(boostThreshold),
        monotone_(boostPercent >= 0 && boostPercent < 100) {
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

  // The least title score (0, or kMinimumScore to 100) with which a row scored as `row`
  // could enter: 0 when any can, above 100 when none can. Worked out again only when the
  // row is scored otherwise than the last one or the set has changed.
  int leastTitle(const RowScoring& row) {
    if (!monotone_) return 0;
    if (version_ == cachedVersion_ && row == cachedRow_) return cachedLeast_;
    auto enters = [&](int title) {
      const float total = rowScore(row, static_cast<float>(title), boostPercent_, boostThreshold_);
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
    cachedRow_ = row;
    cachedVersion_ = version_;
    cachedLeast_ = least;
    return least;
  }

 private:
  const DBResultSet& set_;
  const int boostPercent_;
  const int boostThreshold_;
  const bool monotone_;
  bool full_ = false;
  float lowest_ = 0;
  uint64_t version_ = 0;
  RowScoring cachedRow_{};
  uint64_t cachedVersion_ = 0;
  int cachedLeast_ = 0;
};

// The title's score for a row that needs at least `least` to enter: counted from
// kMinimumScore up where it may matter, else 0 without comparing.
float titleScoreFrom(const PreparedName& title, std::string_view trackName, int least) {
  if (least > 100) return 0;
  return static_cast<float>(title.alignmentScoreAtLeast(trackName, std::max(least, kMinimumScore)));
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
  EntryBound bound(trackSet, boostPercent, boostThreshold);
  auto offer = [&](const TrackRow& row, const RowScoring& scoring) {
    const float track = titleScoreFrom(title, row.trackName, bound.leastTitle(scoring));
    const float score = rowScore(scoring, track, boostPercent, boostThreshold);
    if (score >= kMinimumScore && trackSet.add_record(score, catalogueIdText(row.trackId))) {
      bound.setChanged();
    }
  };
  int rowsRead = 0;
  for (int i = 0; i < artistSet.num_records(); ++i) {
    dbresult_rec artist = artistSet[i];
    IdList ids = reader.artistIds(artist.name);
    bool placeholder = query->unknownArtist || is_unknown(artist.name);
    const bool read = reader.tracksOfArtists(ids, [&](const TrackRow& row) {
      ++rowsRead;
      offer(row, {placeholder, albumScores.of(row.albumNameKey, row.albumName), artist.score,
                  row.artistId != 0});
    });
    if (!read) break;
  }
  for (int i = 0; i < albumSet.num_records(); ++i) {
    dbresult_rec album = albumSet[i];
    IdList ids = reader.albumIds(album.name);
    const bool read = reader.tracksOfAlbums(ids, [&](const TrackRow& row) {
      ++rowsRead;
      bool placeholder = query->unknownArtist || is_unknown(std::string(row.artistName));
      offer(row, {placeholder, album.score, artistScores.of(row.artistNameKey, row.artistName),
                  row.artistId != 0});
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
    trackSet.add_record(score, catalogueIdText(row.trackId));
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
