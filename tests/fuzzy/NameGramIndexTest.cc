#include "fuzzy/NameGramIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fuzzy/NameFolding.h"

namespace {

// Names built from a few syllables share many trigrams, as catalogue names do.
std::string randomName(std::mt19937* random) {
  static const char* const kSyllables[] = {"la", "ve", "ro", "mi", "sun", "the", "or",
                                           "an", "ké", "do", "ri", "lo", "ng", "é"};
  std::uniform_int_distribution<int> words(1, 4), syllables(1, 3), pick(0, 13);
  std::string name;
  for (int w = words(*random); w > 0; --w) {
    if (!name.empty()) name += ' ';
    for (int s = syllables(*random); s > 0; --s) name += kSyllables[pick(*random)];
  }
  return foldName(name);
}

// One typing error: a letter replaced, dropped or doubled.
std::string typo(std::string name, std::mt19937* random) {
  if (name.size() < 2) return name;
  std::uniform_int_distribution<size_t> at(0, name.size() - 1);
  size_t i = at(*random);
  while (i > 0 && (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) --i;
  switch ((*random)() % 3) {
    case 0: name[i] = 'x'; break;
    case 1: name.erase(i, 1); break;
    default: name.insert(i, 1, name[i]); break;
  }
  return foldName(name);
}

float bruteForceBestDice(const std::vector<std::vector<Gram>>& names, const std::string& query) {
  const std::vector<Gram> q = nameGrams(query);
  float best = 0;
  for (const std::vector<Gram>& g : names) {
    best = std::max(best, gramDice(sharedGrams(q, g), q.size(), g.size()));
  }
  return best;
}

TEST(NameGramIndexTest, BestMatchEqualsBruteForceOnGeneratedNames) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    std::mt19937 random(seed);
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i) names.push_back(randomName(&random));
    const NameGramIndex index(names);
    std::vector<std::vector<Gram>> grams;
    for (const std::string& name : names) grams.push_back(nameGrams(name));
    GramScratch scratch;
    for (int q = 0; q < 200; ++q) {
      const std::string query = typo(names[random() % names.size()], &random);
      SCOPED_TRACE("seed " + std::to_string(seed) + ", query '" + query + "'");
      const std::vector<NameMatch> found = index.similar(query, 5, &scratch);
      const float best = bruteForceBestDice(grams, query);
      if (best == 0) {
        EXPECT_TRUE(found.empty());
        continue;
      }
      ASSERT_FALSE(found.empty());
      EXPECT_FLOAT_EQ(found[0].dice, best);
      for (size_t i = 1; i < found.size(); ++i) EXPECT_GE(found[i - 1].dice, found[i].dice);
    }
  }
}

struct EdgeCase {
  std::string what;
  std::vector<std::string> names;
  std::string query;
  size_t limit;
  size_t expected;  // number of matches
};

class NameGramIndexEdgeTest : public testing::TestWithParam<EdgeCase> {};

TEST_P(NameGramIndexEdgeTest, Answers) {
  SCOPED_TRACE(GetParam().what);
  const NameGramIndex index(GetParam().names);
  GramScratch scratch;
  EXPECT_EQ(index.similar(GetParam().query, GetParam().limit, &scratch).size(),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameGramIndexEdgeTest,
    testing::Values(EdgeCase{"empty index", {}, "abc", 5, 0},
                    EdgeCase{"empty query", {"abc"}, "", 5, 0},
                    EdgeCase{"limit zero", {"abc"}, "abc", 0, 0},
                    EdgeCase{"nothing shared", {"abc", "def"}, "xyz", 5, 0},
                    EdgeCase{"empty names are never found", {"", "a", ""}, "a", 5, 1},
                    EdgeCase{"limit cuts", {"ab", "abc", "abcd"}, "abc", 2, 2}));

}  // namespace
