// The distance-matrix form of FuzzyTextCompare::localAlignmentScore and of the two
// measures it is built from, written as directly as possible (full matrices, GLib for
// every text) for the tests and the fuzz targets to hold the fast ones against. Any thread.
#ifndef OSTREV_TESTS_TEXT_LOCALALIGNMENTREFERENCE_H_
#define OSTREV_TESTS_TEXT_LOCALALIGNMENTREFERENCE_H_

#include <cstdint>
#include <string>
#include <vector>

using CodePoints = std::vector<uint32_t>;

// Unit-cost edit distance (insert, delete, substitute).
int referenceEditDistance(const CodePoints& a, const CodePoints& b);

// Length of the longest run of characters that a and b have in common.
int referenceLongestCommonRun(const CodePoints& a, const CodePoints& b);

int referenceLocalAlignmentScore(const std::string& a, const std::string& b);

#endif  // OSTREV_TESTS_TEXT_LOCALALIGNMENTREFERENCE_H_
