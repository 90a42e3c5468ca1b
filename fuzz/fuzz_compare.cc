// Fuzz target: the fuzzy name comparisons. The input is two names separated by its first
// 0xff byte (never part of UTF-8). Scores must stay in range, the alignment measures must
// agree with plain dynamic programming, and a name compared with itself scores 100.
#include <glib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "text/CharAlignment.h"
#include "text/CharPrefix.h"
#include "text/FuzzyTextCompare.h"

namespace {

void check(bool condition, const char* what) {
  if (condition) return;
  fprintf(stderr, "fuzz_compare: %s\n", what);
  abort();
}

bool inRange(int score, int high) { return score >= 0 && score <= high; }

int referenceDistance(const CharPrefix& a, const CharPrefix& b) {
  std::vector<int> row(b.count + 1);
  for (int j = 0; j <= b.count; ++j) row[j] = j;
  for (int i = 1; i <= a.count; ++i) {
    int diagonal = row[0];
    row[0] = i;
    for (int j = 1; j <= b.count; ++j) {
      const int above = row[j];
      row[j] = std::min(
          {above + 1, row[j - 1] + 1, diagonal + (a.chars[i - 1] == b.chars[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.count];
}

int referenceLongestRun(const CharPrefix& a, const CharPrefix& b) {
  // run[j]: the common run ending at a's current character and b's character j - 1.
  std::vector<int> run(b.count + 1, 0);
  int longest = 0;
  for (int i = 0; i < a.count; ++i) {
    for (int j = b.count; j > 0; --j) {
      run[j] = a.chars[i] == b.chars[j - 1] ? run[j - 1] + 1 : 0;
      longest = std::max(longest, run[j]);
    }
  }
  return longest;
}

void checkAlignment(const CharPrefix& a, const CharPrefix& b) {
  const CharAlignment alignment(a, b);
  check(alignment.distance() == referenceDistance(a, b), "edit distance differs");
  const int run = referenceLongestRun(a, b);
  check(alignment.longestRun() == run, "longest run differs");
  const int shorter = std::min(a.count, b.count);
  check(alignment.longestRunOverHalf() == (run > shorter / 2 ? run : 0),
        "longest run over half differs");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // substrScore prints a line per call.
  if (!freopen("/dev/null", "w", stdout)) abort();
  // A GLib warning means a GLib call got text it should never see.
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const void* separator = memchr(data, 0xff, size);
  const size_t split = separator ? static_cast<const uint8_t*>(separator) - data : size;
  std::string a(bytes, split);
  std::string b = split < size ? std::string(bytes + split + 1, size - split - 1) : "";

  const FuzzyTextCompare compare;
  const int alignment = compare.localAlignmentScore(a, b);
  check(inRange(alignment, 100), "localAlignmentScore out of range");
  check(compare.localAlignmentScore(b, a) == alignment, "localAlignmentScore not symmetric");
  check(inRange(compare.letterPairSimilarity(a, b), 100), "letterPairSimilarity out of range");
  check(inRange(compare.initial_substrScore(a, b), 50), "initial_substrScore out of range");
  check(inRange(compare.substrScore(a, b), 50), "substrScore out of range");
  if (!a.empty()) check(compare.localAlignmentScore(a, a) == 100, "a name unlike itself");

  CharPrefix first;
  CharPrefix second;
  lowerPrefix(a, &first);
  lowerPrefix(b, &second);
  checkAlignment(first, second);
  plainPrefix(a, &first);
  plainPrefix(b, &second);
  checkAlignment(first, second);
  return 0;
}
