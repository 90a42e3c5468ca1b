// CharAlignment: how two short character sequences line up, as their edit distance and
// their longest common run. A plain value on the caller's stack, built for one pair and
// reading the two prefixes it was built from, which must outlive it; any thread.
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
  // measures are symmetric. A pattern's first 64 positions have masks of their own, as
  // most patterns end there; the rest, up to kCompareChars, are only set up when used.
  static_assert(kCompareChars <= 128, "a pattern must fit in two mask words");

  int patternLength_;
  int textLength_;
  // The characters as symbols below 256: the code points themselves when all are (ASCII
  // and Latin-1), else numbers given in numbered_.
  const uint32_t* pattern_;
  const uint32_t* text_;
  uint32_t numbered_[2][kCompareChars];
  // By symbol: pattern positions holding it; only used entries are set.
  uint64_t lowMatch_[256];   // positions 0 to 63
  uint64_t highMatch_[256];  // positions 64 and up
};

#endif  // OSTREV_LIBMATCH_TEXT_CHARALIGNMENT_H_
