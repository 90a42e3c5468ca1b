// The one-to-one pairing of rows with columns that maximizes the total weight (the
// Hungarian method with potentials, O(rows² × columns)). Pure function; any thread.
#ifndef OSTREV_LIBMATCH_ENGINE_ASSIGNMENT_H_
#define OSTREV_LIBMATCH_ENGINE_ASSIGNMENT_H_

#include <cstddef>
#include <vector>

// Row-major weights of `rows` × `columns` pairs, none negative; a weight of 0 is no
// partner at all.
struct AssignmentWeights {
  AssignmentWeights(size_t rows, size_t columns)
      : rows(rows), columns(columns), weights(rows * columns, 0.0) {}
  double& at(size_t row, size_t column) { return weights[row * columns + column]; }
  double at(size_t row, size_t column) const { return weights[row * columns + column]; }

  size_t rows;
  size_t columns;
  std::vector<double> weights;
};

// For each row, its column in a pairing of greatest total weight, or -1 when it has none
// (more rows than columns, or only a weight of 0 left for it).
std::vector<int> bestAssignment(const AssignmentWeights& weights);

#endif  // OSTREV_LIBMATCH_ENGINE_ASSIGNMENT_H_
