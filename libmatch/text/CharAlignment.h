// CharAlignment: how two short character sequences line up, as their edit distance and
// their longest common run. A plain value on the caller's stack, built for one pair; any
// thread.
#ifndef OSTREV_LIBMATCH_TEXT_CHARALIGNMENT_H_
#define OSTREV_LIBMATCH_TEXT_CHARALIGNMENT_H_

#include <cstdint>

#include "text/CharPrefix.h"

class CharAlignment {
 public:
  // Numbers the characters and sets up match masks; each measure is computed when asked.
  CharAlignment(const CharPrefix& a, const CharPrefix& b);

  CharAlignment(const CharAlignment&) = delete;
  CharAlignment& operator=(const CharAlignment&) = delete;

  // Levenshtein distance: insertions, deletions and substitutions, 1 each.
  int distance() const;

  // Length of the longest run of consecutive characters both sequences share.
  int longestRun() const;

  // The same when it is longer than half the shorter sequence, else 0. Much faster: such
  // a run covers the middle of the shorter sequence, so few diagonals need walking.
  int longestRunOverHalf() const;

 private:
  // Bit i of a mask stands for position i of the pattern, the shorter sequence: both
  // measures are symmetric. One 64-bit word mostly holds a pattern, two always do.
  using Mask = unsigned __int128;
  static_assert(kCompareChars <= 128, "a pattern must fit in a Mask");

  int patternLength_;
  int textLength_;
  uint8_t pattern_[kCompareChars];  // characters as small symbol numbers
  uint8_t text_[kCompareChars];
  Mask match_[256];  // by symbol: pattern positions holding it; only used entries are set
};

#endif  // OSTREV_LIBMATCH_TEXT_CHARALIGNMENT_H_
