// FuzzyTextCompare: scores how alike two names are, from 0 (nothing in common) to 100
// (equal). It holds no state, so copies are free and any thread may use any copy.
//
// The scores look at the first 70 characters of a name; text of any bytes is accepted
// (invalid UTF-8 and NULs count as U+FFFD). The std::string& arguments are only read.
#ifndef OSTREV_LIBMATCH_TEXT_FUZZYTEXTCOMPARE_H_
#define OSTREV_LIBMATCH_TEXT_FUZZYTEXTCOMPARE_H_

#include <string>

class FuzzyTextCompare {
 public:
  // Edit distance of the lower-cased names as a score, raised towards 100 for a weak
  // score whose names share a long run of characters ("beatles", "the beatles").
  int localAlignmentScore(std::string& a, std::string& b) const;

  // Dice coefficient over the byte pairs of the lower-cased names, each pair of `b`
  // matched at most once; pairs holding a blank count for nothing.
  int letterPairSimilarity(const std::string& a, const std::string& b) const;

  // Half the share of the shorter name that is a common prefix, when that share is above
  // 80%; case counts.
  int initial_substrScore(std::string& a, std::string& b) const;

  // Half the share of the shorter name covered by the longest common run, when that
  // share is above 50%; case counts. Prints one "SUBSTRING SCORE" line on standard
  // output on every call.
  int substrScore(std::string& a, std::string& b) const;

  // 100 for distance 0, falling linearly to 0 at the longer length; 0 when both
  // lengths are 0.
  int normalizeScore(int distance, int len1, int len2) const;

  int max(int a, int b) const;
  int min(int a, int b) const;
  int minimum(int a, int b, int c) const;
};

#endif  // OSTREV_LIBMATCH_TEXT_FUZZYTEXTCOMPARE_H_
