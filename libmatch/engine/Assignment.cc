#include "engine/Assignment.h"

#include <algorithm>
#include <limits>

std::vector<int> bestAssignment(const AssignmentWeights& weights) {
  const size_t n = weights.rows;
  // Columns of weight 0 make up for missing ones, so that every row has a column.
  const size_t m = std::max(weights.columns, n);
  double heaviest = 0;
  for (double w : weights.weights) heaviest = std::max(heaviest, w);
  // Minimizes heaviest - weight; index 0 of the potentials and of `owner` is the free start.
  auto cost = [&](size_t row, size_t column) {
    const double w = column < weights.columns ? weights.at(row, column) : 0.0;
    return heaviest - w;
  };
  const double kInfinity = std::numeric_limits<double>::infinity();
  std::vector<double> rowPotential(n + 1, 0), columnPotential(m + 1, 0);
  std::vector<size_t> owner(m + 1, 0), previous(m + 1, 0);
  std::vector<double> slack(m + 1);
  std::vector<char> visited(m + 1);
  for (size_t row = 1; row <= n; ++row) {
    owner[0] = row;
    size_t column = 0;
    std::fill(slack.begin(), slack.end(), kInfinity);
    std::fill(visited.begin(), visited.end(), 0);
    do {
      visited[column] = 1;
      const size_t current = owner[column];
      double delta = kInfinity;
      size_t next = 0;
      for (size_t j = 1; j <= m; ++j) {
        if (visited[j]) continue;
        const double reduced =
            cost(current - 1, j - 1) - rowPotential[current] - columnPotential[j];
        if (reduced < slack[j]) {
          slack[j] = reduced;
          previous[j] = column;
        }
        if (slack[j] < delta) {
          delta = slack[j];
          next = j;
        }
      }
      for (size_t j = 0; j <= m; ++j) {
        if (visited[j]) {
          rowPotential[owner[j]] += delta;
          columnPotential[j] -= delta;
        } else {
          slack[j] -= delta;
        }
      }
      column = next;
    } while (owner[column] != 0);
    do {
      const size_t before = previous[column];
      owner[column] = owner[before];
      column = before;
    } while (column != 0);
  }
  std::vector<int> assigned(n, -1);
  for (size_t j = 1; j <= weights.columns; ++j) {
    const size_t row = owner[j];
    if (row != 0 && weights.at(row - 1, j - 1) > 0) assigned[row - 1] = static_cast<int>(j - 1);
  }
  return assigned;
}
