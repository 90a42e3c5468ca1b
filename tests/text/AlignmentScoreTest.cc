#include "text/AlignmentScore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/CharPrefix.h"
#include "text/FuzzyTextCompare.h"
#include "text/GeneratedNames.h"

namespace {

int localAlignmentScore(std::string a, std::string b) {
  return FuzzyTextCompare().localAlignmentScore(a, b);
}

int lowerLength(const std::string& text) {
  CharPrefix chars;
  lowerPrefix(text, &chars);
  return chars.count;
}

TEST(BestAlignmentScoreTest, Examples) {
  const struct {
    int len1;
    int len2;
    int best;
  } cases[] = {
      {0, 0, 0},   {0, 70, 0},  {70, 70, 100}, {1, 1, 100}, {1, 2, 50},
      {1, 3, 33},  // one character has no run over half of it to raise the score
      {5, 30, 50},  // "queen" against "queen - bohemian rhapsody 1975"
      {30, 5, 50}, {2, 17, 40}, {3, 51, 40}, {10, 40, 59},
      {10, 13, 83},  // distance 4 and a raise beat distance 3, strong at 76
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.len1 << " and " << c.len2 << " characters");
    EXPECT_EQ(bestAlignmentScore(c.len1, c.len2), c.best);
  }
}

// The table is worked out by the compiler, the scores it stands for at run time; the two
// must round alike.
TEST(BestAlignmentScoreTest, PrefixEditScoresAsComputedAtRunTime) {
  for (volatile int longest = 0; longest <= kCompareChars; ++longest) {
    for (volatile int distance = 0; distance <= longest; ++distance) {
      ASSERT_EQ(prefixEditScore(distance, 0, longest), editScore(distance, longest, 0))
          << "distance " << distance << " of " << longest;
    }
  }
}

// Every pair of names up to six characters over three letters: no pair may score above
// the best its lengths allow.
TEST(BestAlignmentScoreTest, BoundsEverySmallPair) {
  std::vector<std::string> names = {""};
  for (size_t i = 0; names.back().size() < 6; ++i) {
    for (char c : {'a', 'b', 'c'}) names.push_back(names[i] + c);
  }
  for (const std::string& a : names) {
    for (const std::string& b : names) {
      ASSERT_LE(localAlignmentScore(a, b),
                bestAlignmentScore(static_cast<int>(a.size()), static_cast<int>(b.size())))
          << pairTrace(a, b);
    }
  }
}

TEST(BestAlignmentScoreTest, BoundsGeneratedPairs) {
  NameGenerator names;
  for (int q = 0; q < 2000; ++q) {
    const std::string query = names.query();
    for (int r = 0; r < 10; ++r) {
      const std::string row = names.row();
      ASSERT_LE(localAlignmentScore(query, row),
                bestAlignmentScore(lowerLength(query), lowerLength(row)))
          << pairTrace(query, row);
    }
  }
}

}  // namespace
