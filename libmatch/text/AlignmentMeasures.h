// The two measures behind an alignment score, on characters already in arrays: the edit
// distance (bit-parallel, from match masks the caller keeps) and the longest common run
// over half the shorter sequence. Header-only so each caller's mask look-up inlines; pure
// functions, any thread.
#ifndef OSTREV_LIBMATCH_TEXT_ALIGNMENTMEASURES_H_
#define OSTREV_LIBMATCH_TEXT_ALIGNMENTMEASURES_H_

#include <algorithm>
#include <cstring>

// Levenshtein distance between a pattern of 1 to bits-of-Word characters and a text of
// `n`, by Hyyrö's form of Myers' algorithm: one column of the distance matrix per text
// character, kept as +1/-1 vertical deltas in two words. `eqAt(j)` gives the pattern
// positions holding text character j as bits of a Word.
template <typename Word, typename EqAt>
int editDistance(int m, int n, EqAt eqAt) {
  Word plus = ~Word(0);
  Word minus = 0;
  const Word last = Word(1) << (m - 1);
  int distance = m;
  for (int j = 0; j < n; ++j) {
    const Word eq = eqAt(j);
    const Word xv = eq | minus;
    const Word xh = (((eq & plus) + plus) ^ plus) | eq;
    Word hplus = minus | ~(xh | plus);
    Word hminus = plus & xh;
    // Branch-free: whether the last row rises or falls is as good as random.
    distance += static_cast<int>((hplus & last) != 0) - static_cast<int>((hminus & last) != 0);
    hplus = (hplus << 1) | 1;  // the top row rises by one per column
    hminus <<= 1;
    plus = hminus | ~(xv | hplus);
    minus = hplus & xv;
  }
  return distance;
}

// The longest run of consecutive characters `pattern` (m, the shorter) and `text` (n)
// share when it is longer than half of m, else 0. Such a run covers pattern positions
// [m - minimum, minimum), minimum = m / 2 + 1, so it lies on a diagonal where that core
// matches whole: few diagonals need walking.
template <typename Char>
int longestRunOverHalf(const Char* pattern, int m, const Char* text, int n) {
  if (m == 0) return 0;
  const int minimum = m / 2 + 1;
  const int coreStart = m - minimum;
  const int core = 2 * minimum - m;
  int longest = 0;
  for (int j = 0; j + core <= n; ++j) {
    if (text[j] != pattern[coreStart] ||
        std::memcmp(pattern + coreStart, text + j, core * sizeof(Char)) != 0) {
      continue;
    }
    int before = 0;
    while (before < coreStart && before < j &&
           pattern[coreStart - 1 - before] == text[j - 1 - before]) {
      ++before;
    }
    int after = 0;
    while (minimum + after < m && j + core + after < n &&
           pattern[minimum + after] == text[j + core + after]) {
      ++after;
    }
    longest = std::max(longest, before + core + after);
  }
  return longest >= minimum ? longest : 0;
}

#endif  // OSTREV_LIBMATCH_TEXT_ALIGNMENTMEASURES_H_
