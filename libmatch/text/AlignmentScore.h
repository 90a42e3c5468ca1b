// The rule of FuzzyTextCompare::localAlignmentScore: how the edit distance and the longest
// common run of two lowered prefixes become a score, and the best score two lengths allow.
// Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_ALIGNMENTSCORE_H_
#define OSTREV_LIBMATCH_TEXT_ALIGNMENTSCORE_H_

#include <algorithm>

#include "text/CharPrefix.h"

// A score this high is final; a weaker one may be raised by a long common run.
constexpr int kStrongAlignmentScore = 70;

// Scores meet fixed thresholds, so a rounding difference moves names across them: every
// float step is written out in single precision, in this order. Inline, as they run for
// every candidate row.

// part / whole as a percentage.
inline float percentOf(int part, int whole) {
  return static_cast<float>(part) / static_cast<float>(whole) * 100.0f;
}

// 100 for distance 0, falling linearly to 0 at the longer length; 0 when both lengths are 0.
constexpr int editScore(int distance, int len1, int len2) {
  const int longest = std::max(len1, len2);
  if (longest <= 0) return 0;
  const float score =
      100.0f + (static_cast<float>(distance) / static_cast<float>(longest)) * -100.0f;
  // Finite for any int input, but it may lie outside int; 2147483520 is the largest float
  // below 2^31.
  return static_cast<int>(std::clamp(score, -2147483648.0f, 2147483520.0f));
}

// editScore for every distance and longer length two prefixes can have, worked out at
// compile time by editScore itself (IEEE single precision either way): a table read is
// much shorter than the division, which would wait for the distance of every row.
struct PrefixEditScores {
  constexpr PrefixEditScores() : scores() {
    for (int longest = 0; longest <= kCompareChars; ++longest) {
      for (int distance = 0; distance <= longest; ++distance) {
        scores[distance][longest] = static_cast<signed char>(editScore(distance, longest, 0));
      }
    }
  }
  signed char scores[kCompareChars + 1][kCompareChars + 1];
};
inline constexpr PrefixEditScores kPrefixEditScores;

// editScore of two prefixes of `len1` and `len2` characters at `distance`, which is at most
// the longer length.
inline int prefixEditScore(int distance, int len1, int len2) {
  return kPrefixEditScores.scores[distance][std::max(len1, len2)];
}

// A weak `score` raised towards 100 by `run`, the longest common run of the two names when
// it is over half the `shorter` length (0 otherwise).
inline int raisedByRun(int score, int run, int shorter) {
  // The shorter length plus one: a run that spans the whole shorter name still falls short
  // of 100%. Only a run over half the shorter name gets above 50%.
  if (run == 0) return score;
  float share = percentOf(run, shorter + 1);
  if (share <= 50) return score;
  share = share / 2;
  const float raised = score + (100 - score) * share / 100;
  return static_cast<int>(raised);
}

// The score of two prefixes of `len1` and `len2` characters; `distance()` and
// `runOverHalf()` give their measures and are called only when the rule needs them.
template <typename Distance, typename RunOverHalf>
int alignmentScore(int len1, int len2, Distance distance, RunOverHalf runOverHalf) {
  if (len1 == 0 || len2 == 0) return 0;
  const int score = prefixEditScore(distance(), len1, len2);
  if (score >= kStrongAlignmentScore) return score;  // the common run only raises a weak score
  return raisedByRun(score, runOverHalf(), std::min(len1, len2));
}

// No two prefixes of `len1` and `len2` characters (0 to kCompareChars) score above this.
int bestAlignmentScore(int len1, int len2);

#endif  // OSTREV_LIBMATCH_TEXT_ALIGNMENTSCORE_H_
