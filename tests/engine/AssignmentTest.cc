// The assignment against trying every pairing, on small generated weight tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/Assignment.h"

namespace {

double totalOf(const AssignmentWeights& weights, const std::vector<int>& paired) {
  double total = 0;
  for (size_t row = 0; row < paired.size(); ++row) {
    if (paired[row] >= 0) total += weights.at(row, static_cast<size_t>(paired[row]));
  }
  return total;
}

// The greatest total of any one-to-one pairing, rows left out allowed.
double bruteForceBest(const AssignmentWeights& weights) {
  std::vector<char> taken(weights.columns, 0);
  std::function<double(size_t)> best = [&](size_t row) -> double {
    if (row == weights.rows) return 0.0;
    double most = best(row + 1);  // this row unpaired
    for (size_t column = 0; column < weights.columns; ++column) {
      if (taken[column]) continue;
      taken[column] = 1;
      most = std::max(most, weights.at(row, column) + best(row + 1));
      taken[column] = 0;
    }
    return most;
  };
  return best(0);
}

std::string describe(const AssignmentWeights& weights) {
  std::string text;
  for (size_t row = 0; row < weights.rows; ++row) {
    for (size_t column = 0; column < weights.columns; ++column) {
      text += std::to_string(static_cast<int>(weights.at(row, column))) + " ";
    }
    text += "\n";
  }
  return text;
}

TEST(AssignmentTest, MatchesBruteForce) {
  const struct {
    size_t rows, columns;
    int zeroPercent;  // share of pairs with no weight
    int distinct;     // weights drawn from 1..distinct: few values make many ties
  } shapes[] = {{1, 1, 0, 100}, {3, 3, 0, 100}, {4, 6, 30, 100}, {6, 4, 30, 100}, {5, 5, 80, 100},
                {6, 6, 0, 2},   {7, 5, 50, 3},  {2, 7, 0, 100},  {6, 7, 100, 1}};
  std::mt19937 random(11);
  for (const auto& shape : shapes) {
    for (int round = 0; round < 40; ++round) {
      AssignmentWeights weights(shape.rows, shape.columns);
      for (double& w : weights.weights) {
        const bool none = static_cast<int>(random() % 100) < shape.zeroPercent;
        w = none ? 0 : 1 + static_cast<double>(random() % shape.distinct);
      }
      SCOPED_TRACE(describe(weights));
      const std::vector<int> paired = bestAssignment(weights);
      ASSERT_EQ(paired.size(), shape.rows);
      std::vector<char> used(shape.columns, 0);
      for (int column : paired) {
        if (column < 0) continue;
        ASSERT_LT(static_cast<size_t>(column), shape.columns);
        EXPECT_FALSE(used[column]) << "column " << column << " paired twice";
        used[column] = 1;
      }
      for (size_t row = 0; row < shape.rows; ++row) {
        if (paired[row] >= 0) {
          EXPECT_GT(weights.at(row, paired[row]), 0) << "row " << row;
        }
      }
      EXPECT_DOUBLE_EQ(totalOf(weights, paired), bruteForceBest(weights));
    }
  }
}

}  // namespace
