#include "fuzzy/RecordScore.h"

#include <algorithm>

#include "fuzzy/NameSimilarity.h"

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

FieldScores scoreRecord(const FuzzyQuery& query, const TrackNames& track) {
  FieldScores scores;
  float weights = 0;
  float sum = 0;
  if (!query.title.core.empty()) {
    scores.title = nameSimilarity(query.title.core, track.titleCore);
    sum += kTitleWeight * scores.title;
    weights += kTitleWeight;
  }
  if (!query.artist.core.empty()) {
    scores.artist = nameSimilarity(query.artist.core, track.artistCore);
    sum += kArtistWeight * scores.artist;
    weights += kArtistWeight;
  }
  if (!query.album.core.empty()) {
    scores.album = nameSimilarity(query.album.core, track.albumCore);
    sum += kAlbumWeight * scores.album;
    weights += kAlbumWeight;
  }
  if (weights == 0) return scores;
  const float penalty = query.title.core.empty()
                            ? 0
                            : versionPenalty(query.title.version, track.titleVersion);
  scores.total = std::max(0.0f, sum / weights - penalty);
  return scores;
}
