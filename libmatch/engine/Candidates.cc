// The answer of TextTrackLookup to an identify request, and the list of candidates beside
// it.
#include <algorithm>

#include "TextTrackLookup.h"
#include "fuzzy/RecordScore.h"

float TextTrackLookup::findTrack(OCRData query, std::string* result, std::string* stage) {
  if (query.isrc.size() == kIsrcLength) {
    const float score = findTrackByISRC(query, result);
    if (score > 0) {
      if (stage != nullptr) *stage = "isrc";
      return score;
    }
  }
  // A failed ISRC look-up falls back to the texts.
  return findTrackByText(query, result, stage);
}

CandidateList TextTrackLookup::listCandidates(const OCRData& query, size_t limit) {
  limit = std::max<size_t>(limit, 1);
  CandidateList list;
  std::string answerId;
  std::string stage;
  const float answerScore = findTrack(query, &answerId, &stage);
  const std::vector<FuzzyCandidate> fuzzy =
      (option_flags & OPT_FUZZY) ? findFuzzyCandidates(query, limit + 1) : std::vector<FuzzyCandidate>();

  auto listed = [&](const std::string& trackId, float score, const std::string& foundBy) {
    ListedCandidate candidate;
    candidate.trackId = trackId;
    candidate.score = score;
    candidate.stage = foundBy;
    fillTrackInfo(trackId, candidate.track, candidate.artistId, candidate.artist,
                  candidate.albumId, candidate.album);
    return candidate;
  };
  auto withSimilarities = [](ListedCandidate candidate, const FieldScores& scores) {
    candidate.titleSimilarity = scores.title;
    candidate.artistSimilarity = scores.artist;
    candidate.albumSimilarity = scores.album;
    return candidate;
  };

  // The answer first, as identify gives it; a track the cascade found and the index did
  // not list is compared field by field as the cascade compares names.
  if (!answerId.empty() && answerId != "0") {
    ListedCandidate answer = listed(answerId, answerScore, stage);
    auto same = std::find_if(fuzzy.begin(), fuzzy.end(), [&](const FuzzyCandidate& c) {
      return std::to_string(c.trackId) == answerId;
    });
    if (same != fuzzy.end()) {
      answer = withSimilarities(answer, same->scores);
      // Its own score, as the others': the answer's may be held down by them (ambiguous).
      if (stage == "fuzzy") answer.score = same->scores.total;
    } else {
      OCRData texts = query;
      answer.titleSimilarity = comparer.localAlignmentScore(texts.title, answer.track);
      answer.artistSimilarity = comparer.localAlignmentScore(texts.artist, answer.artist);
      answer.albumSimilarity = comparer.localAlignmentScore(texts.album, answer.album);
    }
    list.candidates.push_back(answer);
  }
  for (const FuzzyCandidate& candidate : fuzzy) {
    if (list.candidates.size() >= limit) break;
    const std::string id = std::to_string(candidate.trackId);
    if (id == answerId) continue;
    list.candidates.push_back(
        withSimilarities(listed(id, candidate.scores.total, "fuzzy"), candidate.scores));
  }
  list.ambiguous = list.candidates.size() >= 2 &&
                   list.candidates[0].score - list.candidates[1].score < kAmbiguityMargin;
  return list;
}
