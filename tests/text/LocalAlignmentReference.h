// The distance-matrix form of FuzzyTextCompare::localAlignmentScore, written as directly
// as possible (full matrix, GLib for every text) for the tests to hold the fast one
// against. Any thread.
#ifndef OSTREV_TESTS_TEXT_LOCALALIGNMENTREFERENCE_H_
#define OSTREV_TESTS_TEXT_LOCALALIGNMENTREFERENCE_H_

#include <string>

int referenceLocalAlignmentScore(const std::string& a, const std::string& b);

#endif  // OSTREV_TESTS_TEXT_LOCALALIGNMENTREFERENCE_H_
