#include "fuzzy/NameSimilarity.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SimilarityCase {
  std::string query;
  std::string name;
  float similarity;
};

class NameSimilarityTest : public testing::TestWithParam<SimilarityCase> {};

TEST_P(NameSimilarityTest, Scores) {
  const SimilarityCase& c = GetParam();
  SCOPED_TRACE("query '" + c.query + "', name '" + c.name + "'");
  EXPECT_NEAR(nameSimilarity(c.query, c.name), c.similarity, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameSimilarityTest,
    testing::Values(SimilarityCase{"desk", "desk", 100}, SimilarityCase{"", "", 100},
                    SimilarityCase{"", "desk", 0}, SimilarityCase{"desk", "", 0},
                    SimilarityCase{"abcd", "wxyz", 0},
                    // One edit in four characters; a swap of neighbours is one edit too.
                    SimilarityCase{"desk", "dusk", 75}, SimilarityCase{"edsk", "desk", 75},
                    SimilarityCase{"des", "desk", 87.5}, SimilarityCase{"deskk", "desk", 80},
                    // Look-alikes cost a quarter of an edit, one for one or two for one.
                    SimilarityCase{"r0ck", "rock", 93.75}, SimilarityCase{"1ove", "love", 93.75},
                    SimilarityCase{"surnmer", "summer", 100 - 25.0f / 7},
                    SimilarityCase{"summer", "surnmer", 100 - 25.0f / 7},
                    SimilarityCase{"clesk", "desk", 95}, SimilarityCase{"vvind", "wind", 95},
                    // A query cut short keeps half credit plus what it keeps...
                    SimilarityCase{"waxwor", "waxworks", 87.5},
                    SimilarityCase{"far too", "far too retro", 50 + 50 * 7.0f / 13},
                    // ...from two characters on, and only the query may be the cut one.
                    SimilarityCase{"w", "waxworks", 12.5},
                    SimilarityCase{"waxworks", "waxwor", 75},
                    // Characters, not bytes.
                    SimilarityCase{"ελληνικα", "ελληνικο", 87.5}));

}  // namespace
