// Fixed-seed names for holding the fast name scores against plain ones: queries, and rows
// to score against a query. Any thread, one generator per thread.
#ifndef OSTREV_TESTS_TEXT_GENERATEDNAMES_H_
#define OSTREV_TESTS_TEXT_GENERATEDNAMES_H_

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Printable ASCII as it is, other bytes as \xNN, so a failing name can be pasted back.
std::string escaped(const std::string& text);
std::string pairTrace(const std::string& query, const std::string& row);

// Names over one alphabet each: ASCII, a few letters (long common runs), letters that lower
// in odd ways, wide characters (more distinct ones than a mask word has bits), raw bytes
// (invalid UTF-8, NULs). Lengths cluster at both ends and around the 64-character word and
// the 70-character cut. Names are lists of pieces, so edits cut characters only where a
// piece is a lone byte.
class NameGenerator {
 public:
  NameGenerator();

  // A new query, which the rows that follow are made for.
  std::string query();

  // A row for the last query: unrelated, an edited copy, the query inside a longer name,
  // or a name of very different length.
  std::string row();

 private:
  using Name = std::vector<std::string>;

  int below(size_t n) { return static_cast<int>(random_() % n); }
  int length();
  Name name(const Name& alphabet, int length);
  static std::string joined(const Name& name);

  std::mt19937 random_{20240611u};
  std::vector<Name> alphabets_;
  const Name* alphabet_;  // the last query's
  Name query_;                      // the last query, as pieces
};

#endif  // OSTREV_TESTS_TEXT_GENERATEDNAMES_H_
