#include "client/result_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ResultTextTest, ScoresTruncateTowardZeroAndNeverOverflow) {
  EXPECT_EQ(truncatedScore(87.9f), 87);
  EXPECT_EQ(truncatedScore(-1.5f), -1);
  EXPECT_EQ(truncatedScore(100.0f), 100);
  EXPECT_EQ(truncatedScore(std::nanf("")), 0);
  EXPECT_EQ(truncatedScore(std::numeric_limits<float>::infinity()),
            std::numeric_limits<int>::max());
  EXPECT_EQ(truncatedScore(-3e38f), std::numeric_limits<int>::min());
}

}  // namespace
