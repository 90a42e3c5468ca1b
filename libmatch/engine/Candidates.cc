// The answer of TextTrackLookup to an identify request, and the list of candidates beside
// it.
#include <algorithm>
#include <list>
#include <set>

#include "TextTrackLookup.h"
#include "base/CatalogueId.h"
#include "fuzzy/RecordScore.h"
#include "ostrev/scores.h"
#include "verify/AnswerCheck.h"

namespace {

// The query as the verification reads it: its title as sent, with the versions and numbers
// a cut may have lost.
AnswerTexts queryTexts(const OCRData& query) {
  return AnswerTexts{query.titleSent.empty() ? query.title : query.titleSent, query.artist,
                     query.album};
}

}  // namespace

float TextTrackLookup::findTrack(OCRData query, std::string* result, std::string* stage) {
  // The names read last belong to another request's answer.
  namedTrack_ = NamedTrack();
  identifierDisagrees_ = false;
  float score = 0;
  if (option_flags & OPT_FUZZY) {
    // With the fuzzy stage an identifier decides when it names one recording.
    const char* foundBy = findTrackByIsrcEvidence(query, result, &score)   ? "isrc"
                          : findTrackByUpcEvidence(query, result, &score) ? "upc"
                                                                           : nullptr;
    if (foundBy != nullptr) {
      if (stage != nullptr) *stage = foundBy;
      return verifiedAnswer(query, *result, score, true);
    }
  } else if (query.isrc.size() == kIsrcLength && (score = findTrackByISRC(query, result)) > 0) {
    if (stage != nullptr) *stage = "isrc";
    return score;
  }
  // A failed identifier look-up falls back to the texts.
  score = findTrackByText(query, result, stage);
  return verifiedAnswer(query, *result, score, false);
}

float TextTrackLookup::verifiedAnswer(const OCRData& query, const std::string& trackId,
                                      float score, bool identified) {
  // Only a score the verification could hold down is worth reading the track's names.
  if (!(option_flags & OPT_FUZZY) || score <= ostrev::kDoubtedCeiling) return score;
  AnswerTexts track;
  if (!answerNames(trackId, &track)) return score;
  return verifiedScore(query, track, score, nullptr, identified);
}

bool TextTrackLookup::answerNames(const std::string& trackId, AnswerTexts* track) {
  std::string artistId, albumId;
  return !trackId.empty() && trackId != "0" &&
         fillTrackInfo(trackId, track->title, artistId, track->artist, albumId, track->album);
}

bool TextTrackLookup::findTrackByIsrcEvidence(const OCRData& query, std::string* result,
                                              float* score) {
  std::vector<trackRecord> records;
  OCRData lookup = query;
  if (query.isrc.size() != kIsrcLength || getTracksByISRC(reader(), &lookup, &records) <= 0) {
    return false;
  }
  std::vector<AnswerTexts> tracks;
  for (const trackRecord& record : records) {
    tracks.push_back(AnswerTexts{record.trackName, record.artistName, record.albumName});
  }
  const IdentifierVerdict verdict =
      identifierVerdict(queryTexts(query), tracks);
  if (!verdict.decides) return false;
  *result = records[verdict.best].trackId;
  *score = verdict.score;
  identifierDisagrees_ = verdict.disagrees;
  return true;
}

bool TextTrackLookup::findTrackByUpcEvidence(const OCRData& query, std::string* result,
                                             float* score) {
  std::list<trackRecord> records;
  if (query.upc.empty() || query.title.empty() ||
      getAlbumTracksByUPC(reader(), query.upc, &records) <= 0) {
    return false;
  }
  std::vector<const trackRecord*> ordered;
  std::vector<AnswerTexts> tracks;
  for (const trackRecord& record : records) {
    ordered.push_back(&record);
    tracks.push_back(AnswerTexts{record.trackName, record.artistName, record.albumName});
  }
  const IdentifierVerdict verdict =
      titledTrackVerdict(queryTexts(query), tracks);
  if (!verdict.decides) return false;
  *result = ordered[verdict.best]->trackId;
  *score = verdict.score;
  return true;
}

float TextTrackLookup::verifiedScore(const OCRData& query, const AnswerTexts& track,
                                     float score, std::vector<std::string>* reasons,
                                     bool identified) {
  if (!(option_flags & OPT_FUZZY)) return score;
  CatalogueFacts catalogue;
  catalogue.firstDoubtOnly = reasons == nullptr;
  catalogue.titleCount = [&](const std::string& title) {
    TitleCount counted;
    std::set<std::string> artists;
    reader().tracksNamed(title, [&](const TrackRow& row) {
      ++counted.tracks;
      artists.emplace(row.artistName);
    });
    counted.artists = artists.size();
    return counted;
  };
  catalogue.albumTitles = [&](const AnswerTexts& answer) {
    std::list<trackRecord> records;
    std::vector<std::string> titles;
    if (answer.album.empty()) return titles;
    getAlbumTracks(reader(), answer.album, &records);
    for (const trackRecord& record : records) {
      if (record.artistName == answer.artist) titles.push_back(record.trackName);
    }
    return titles;
  };
  std::vector<std::string> doubts = answerDoubts(queryTexts(query), track, catalogue, identified);
  const float verified = doubtedScore(score, doubts);
  if (reasons != nullptr) {
    // An identifier this request found, whose texts name another recording, says so first.
    if (identified && identifierDisagrees_) doubts.insert(doubts.begin(), kIdentifierDisagrees);
    *reasons = std::move(doubts);
  }
  return verified;
}

std::vector<std::string> TextTrackLookup::answerReasons(const OCRData& query,
                                                        const AnswerTexts& track,
                                                        bool identified) {
  std::vector<std::string> reasons;
  verifiedScore(query, track, ostrev::kConfidentScore, &reasons, identified);
  return reasons;
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
  auto namesOf = [](const ListedCandidate& candidate) {
    return AnswerTexts{candidate.track, candidate.artist, candidate.album};
  };
  auto withSimilarities = [](ListedCandidate candidate, const FieldScores& scores) {
    candidate.titleSimilarity = scores.title;
    candidate.artistSimilarity = scores.artist;
    candidate.albumSimilarity = scores.album;
    return candidate;
  };

  // The answer first, as identify gives it; a track the cascade found and the index did
  // not list is compared field by field as the cascade compares names.
  const CatalogueIdNumber answerNumber = catalogueId(answerId);
  if (answerNumber != 0) {
    ListedCandidate answer = listed(answerId, answerScore, stage);
    auto same = std::find_if(fuzzy.begin(), fuzzy.end(), [&](const FuzzyCandidate& c) {
      return c.trackId == answerNumber;
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
    const bool identified = stage == "isrc" || stage == "upc";
    answer.score =
        verifiedScore(query, namesOf(answer), answer.score, &answer.reasons, identified);
    list.candidates.push_back(answer);
  }
  for (const FuzzyCandidate& candidate : fuzzy) {
    if (list.candidates.size() >= limit) break;
    if (candidate.trackId == answerNumber) continue;
    ListedCandidate next = withSimilarities(
        listed(catalogueIdText(candidate.trackId), candidate.scores.total, "fuzzy"),
        candidate.scores);
    next.score = verifiedScore(query, namesOf(next), next.score, &next.reasons);
    list.candidates.push_back(std::move(next));
  }
  // Held-down candidates go behind the others; the answer stays first, as identify gives it.
  const bool answerFirst = answerNumber != 0 && !list.candidates.empty();
  std::stable_sort(list.candidates.begin() + (answerFirst ? 1 : 0), list.candidates.end(),
                   [](const ListedCandidate& a, const ListedCandidate& b) {
                     return a.score > b.score;
                   });
  list.ambiguous = list.candidates.size() >= 2 &&
                   list.candidates[0].score - list.candidates[1].score < kAmbiguityMargin;
  return list;
}
