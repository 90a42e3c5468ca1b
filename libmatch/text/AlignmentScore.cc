#include "text/AlignmentScore.h"

#include <array>

#include "text/CharPrefix.h"

namespace {

// Every pair of the two lengths has a distance of at least their difference and at most
// the longer length, and a common run of at most the shorter length. The score grows with
// the run (each float step is monotonic) but not with the distance: a distance just too
// long for a strong score may still be raised above it. So every distance is tried with the
// longest run.
int bestOverDistances(int shorter, int longer) {
  int best = 0;
  for (int distance = longer - shorter; distance <= longer; ++distance) {
    best = std::max(best, alignmentScore(shorter, longer, [distance] { return distance; },
                                         [shorter] { return shorter; }));
  }
  return best;
}

using BestTable = std::array<std::array<int, kCompareChars + 1>, kCompareChars + 1>;

BestTable bestTable() {
  BestTable table;
  for (int shorter = 0; shorter <= kCompareChars; ++shorter) {
    for (int longer = shorter; longer <= kCompareChars; ++longer) {
      table[shorter][longer] = table[longer][shorter] = bestOverDistances(shorter, longer);
    }
  }
  return table;
}

}  // namespace

int bestAlignmentScore(int len1, int len2) {
  static const BestTable table = bestTable();
  return table[len1][len2];
}
