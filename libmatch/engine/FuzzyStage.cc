// The fuzzy stage of TextTrackLookup: its index, built at start-up, and the look-ups that
// follow the text cascade.
#include <chrono>
#include <cstdio>

#include "TextTrackLookup.h"
#include "fuzzy/FuzzyIndexLoader.h"

void TextTrackLookup::buildFuzzyIndex() {
  const auto start = std::chrono::steady_clock::now();
  fuzzyIndex = loadFuzzyIndex(handle());
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (fuzzyIndex == nullptr) {
    fprintf(stderr, "fuzzy index: the catalogue could not be read\n");
    connection.logLastError();
    return;
  }
  if (!(option_flags & OPT_SYNONYM)) {
    printf("fuzzy index: %zu tracks, %.1f MB, %.2f s\n", fuzzyIndex->trackCount(),
           fuzzyIndex->memoryBytes() / 1e6, took.count());
    fflush(stdout);
  }
}

std::vector<FuzzyCandidate> TextTrackLookup::findFuzzyCandidates(const OCRData& query,
                                                                  size_t limit) {
  if (fuzzyIndex == nullptr) return {};
  return fuzzyIndex->best(query.title, query.artist, query.album, limit, &fuzzyScratch);
}

bool TextTrackLookup::findFuzzyTrack(OCRData query, std::string* result, float* score) {
  const std::vector<FuzzyCandidate> best = findFuzzyCandidates(query, 1);
  if (best.empty() || best[0].scores.total <= *score) return false;
  *result = std::to_string(best[0].trackId);
  *score = best[0].scores.total;
  return true;
}
