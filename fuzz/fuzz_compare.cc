// Fuzz target: the fuzzy name comparisons. The input is two names separated by its first
// 0xff byte (never part of UTF-8). Scores must stay in range, the alignment score and the
// measures it is built from must agree with the plain dynamic-programming reference the
// tests use, and a name compared with itself scores 100.
#include <glib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "text/CharAlignment.h"
#include "text/CharPrefix.h"
#include "text/FuzzyTextCompare.h"
#include "text/LocalAlignmentReference.h"

namespace {

bool inRange(int score, int high) { return score >= 0 && score <= high; }

CodePoints codePoints(const CharPrefix& prefix) {
  return CodePoints(prefix.chars, prefix.chars + prefix.count);
}

void checkAlignment(const CharPrefix& a, const CharPrefix& b) {
  const CharAlignment alignment(a, b);
  const CodePoints first = codePoints(a);
  const CodePoints second = codePoints(b);
  check(alignment.distance() == referenceEditDistance(first, second), "edit distance differs");
  const int run = referenceLongestCommonRun(first, second);
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
  check(alignment == referenceLocalAlignmentScore(a, b), "localAlignmentScore differs");
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
