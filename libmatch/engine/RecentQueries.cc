// The recent-query cache of TextTrackLookup: confident answers, oldest first, and the
// fuzzy look-up of a new query among them.
#include <cmath>

#include "TextTrackLookup.h"
#include "ostrev/scores.h"
#include "text/CombinedScore.h"

namespace {

constexpr size_t kMostEntriesBeforeAdding = 10000;

}  // namespace

void TextTrackLookup::addRecentQuery(OCRData query, float score, std::string trackId) {
  recentQuery entry;
  entry.queryData = std::move(query);
  entry.trackId = std::move(trackId);
  entry.trackScore = score;
  if (recentQueries.size() > kMostEntriesBeforeAdding) recentQueries.pop_front();
  recentQueries.push_back(std::move(entry));
}

float TextTrackLookup::findRecentQuery(OCRData query, FuzzyTextCompare comparer,
                                       std::string* result) {
  float best = -1;
  for (recentQuery& entry : recentQueries) {
    float artist = comparer.localAlignmentScore(query.artist, entry.queryData.artist);
    float album = comparer.localAlignmentScore(query.album, entry.queryData.album);
    float title = comparer.localAlignmentScore(query.title, entry.queryData.title);
    float similarity = weightedTrackScore(title, album, artist);
    float value;
    if (entry.trackScore < ostrev::kConfidentScore) {
      if (similarity == 0) continue;  // nothing in common: no value, not a division by 0
      value = std::fabs(entry.trackScore * (100 / similarity));
    } else {
      value = std::fabs(entry.trackScore * (similarity / 100));
    }
    if (value == 100) {
      *result = entry.trackId;
      return 100;
    }
    if (value > best) {
      *result = entry.trackId;
      best = value;
    }
  }
  return best;
}

bool TextTrackLookup::findRecentTrack(OCRData query, std::string* result, float* score) {
  *score = findRecentQuery(query, comparer, result);
  return *score > static_cast<float>(highConfScore);
}
