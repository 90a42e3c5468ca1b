#include "fuzzy/RecordScore.h"

#include <algorithm>

#include "fuzzy/NameSimilarity.h"
#include "ostrev/scores.h"

namespace {

// A field's share of the score when the query gives every field; a field the query leaves
// empty hands its share to the others in proportion.
constexpr float kTitleWeight = 0.5f;
constexpr float kArtistWeight = 0.3f;
constexpr float kAlbumWeight = 0.2f;

// A version on one side only ("Live", "Remastered 2011") costs this much; versions on
// both sides cost up to kVersionMismatch as they differ, so a like version beats none and
// an unlike one loses to none. A query without a version thus prefers the studio take,
// and one with "(Live)" the live one.
constexpr float kVersionOnOneSide = 3;
constexpr float kVersionMismatch = 6;


float versionPenalty(std::string_view query, std::string_view track) {
  if (query == track) return 0;
  if (query.empty() || track.empty()) return kVersionOnOneSide;
  return kVersionMismatch * (1 - nameSimilarity(query, track) / 100);
}

}  // namespace

FuzzyQuery readFuzzyQuery(const std::string& title, const std::string& artist,
                          const std::string& album) {
  return FuzzyQuery{titleParts(title), artistParts(artist), titleParts(album)};
}

FuzzyQuery swappedFuzzyQuery(const std::string& title, const std::string& artist,
                             const std::string& album) {
  return readFuzzyQuery(artist, title, album);
}

float ambiguousScore(float best) { return std::min(best, ostrev::kDoubtedCeiling); }

FieldScores scoreRecord(const FuzzyQuery& query, const TrackNames& track) {
  auto similarity = [](const std::string& queryCore, std::string_view trackCore) {
    return queryCore.empty() ? 0 : nameSimilarity(queryCore, trackCore);
  };
  return combineFieldScores(query, similarity(query.title.core, track.titleCore),
                            similarity(query.artist.core, track.artistCore),
                            similarity(query.album.core, track.albumCore), track.titleVersion);
}

FieldScores combineFieldScores(const FuzzyQuery& query, float title, float artist,
                               float album, std::string_view trackVersion) {
  FieldScores scores;
  float weights = 0;
  float sum = 0;
  if (!query.title.core.empty()) {
    scores.title = title;
    sum += kTitleWeight * title;
    weights += kTitleWeight;
  }
  if (!query.artist.core.empty()) {
    scores.artist = artist;
    sum += kArtistWeight * artist;
    weights += kArtistWeight;
  }
  if (!query.album.core.empty()) {
    scores.album = album;
    sum += kAlbumWeight * album;
    weights += kAlbumWeight;
  }
  if (weights == 0) return scores;
  const float penalty = query.title.core.empty()
                            ? 0
                            : versionPenalty(query.title.version, trackVersion);
  scores.total = std::max(0.0f, sum / weights - penalty);
  return scores;
}
