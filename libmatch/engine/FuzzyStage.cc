// The fuzzy stage of TextTrackLookup: its index, built at start-up and rebuilt on demand,
// and the look-ups that follow the text cascade.
#include <chrono>
#include <cstdio>
#include <mutex>

#include "TextTrackLookup.h"
#include "base/CatalogueId.h"
#include "fuzzy/FuzzyIndexLoader.h"
#include "text/Normalize.h"

bool TextTrackLookup::buildFuzzyIndex(Connection& from) {
  const auto start = std::chrono::steady_clock::now();
  std::shared_ptr<const FuzzyTrackIndex> index = loadFuzzyIndex(from.getMyHandle());
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (index == nullptr) {
    if (!quiet()) {
      fprintf(stderr, "fuzzy index: the catalogue could not be read\n");
      from.logLastError();
    }
    return false;
  }
  if (!(option_flags & OPT_SYNONYM) && !quiet()) {
    printf("fuzzy index: %zu tracks, %.1f MB, %.2f s\n", index->trackCount(),
           index->memoryBytes() / 1e6, took.count());
    fflush(stdout);
  }
  shared->setFuzzyIndex(std::move(index));
  return true;
}

bool TextTrackLookup::rebuildFuzzyIndex() {
  // One rebuild at a time; the look-ups go on with the old index meanwhile.
  std::lock_guard<std::mutex> lock(shared->rebuilding);
  Connection own(defaultDatabaseHost(), dbUser, dbPassword, dbName);
  if (!own.init()) {
    fprintf(stderr, "fuzzy index: cannot connect to the catalogue to rebuild\n");
    own.logLastError();
    return false;
  }
  return buildFuzzyIndex(own);
}

std::vector<FuzzyCandidate> TextTrackLookup::findFuzzyCandidates(const OCRData& query,
                                                                  size_t limit) {
  const std::shared_ptr<const FuzzyTrackIndex> index = shared->fuzzyIndex();
  if (index == nullptr) return {};
  // A placeholder artist ("Unknown", "Various Artists") says nothing about the track.
  const std::string artist = is_unknown(query.artist) ? "" : query.artist;
  return index->best(query.title, artist, query.album, limit, &fuzzyScratch);
}

bool TextTrackLookup::findFuzzyTrack(OCRData query, std::string* result, float* score) {
  const std::vector<FuzzyCandidate> best = findFuzzyCandidates(query, kAnswerCandidates);
  const float found = answerScore(best);
  if (best.empty() || found <= *score) return false;
  *result = catalogueIdText(best[0].trackId);
  *score = found;
  return true;
}
