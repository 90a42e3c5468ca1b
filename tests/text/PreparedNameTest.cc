#include "text/PreparedName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/AlignmentScore.h"
#include "text/CharPrefix.h"
#include "text/FuzzyTextCompare.h"
#include "text/GeneratedNames.h"
#include "text/LocalAlignmentReference.h"

namespace {

int localAlignmentScore(std::string a, std::string b) {
  return FuzzyTextCompare().localAlignmentScore(a, b);
}

std::string repeated(const std::string& piece, int times) {
  std::string out;
  while (times-- > 0) out += piece;
  return out;
}

// The query's side takes paths the row's side never does (masks over 64 positions, wide
// characters hashed), and the other way round; every case runs both ways.
TEST(PreparedNameTest, ScoresEdgeCasesAsLocalAlignmentScore) {
  const std::string name70 =
      "Pink Floyd - The Wall (Live at Earls Court 1980), Disc One: In The Fle";
  const std::string name69 = name70.substr(0, 69);
  std::string cjk70;  // U+4E00 onwards, 64 distinct: more than the row has positions
  for (int i = 0; i < 70; ++i) {
    cjk70 += "\xe4\xb8" + std::string(1, static_cast<char>(0x80 + i % 64));
  }
  const struct {
    std::string a;
    std::string b;
  } cases[] = {
      {"", ""},
      {"", "Abbey Road"},
      {"Abbey Road", "ABBEY ROAD"},
      {std::string("a\0b", 3), "a\xc0" "b"},
      {"abc\xff", "ABC\xfe"},
      {"\xe2\x84\xaa" "raftwerk", "kraftwerk"},
      {"Mot\xc3\xb6rhead", "MOT\xc3\x96RHEAD"},
      {name70 + "Live at Pompeii", name70 + std::string(500, 'x')},
      {name69 + "\xc4\xb0", name69 + "i"},
      {name69 + "\xce\xa3" "a", name69 + "\xcf\x83"},
      {name70.substr(0, 65), "Pink"},
      {name70.substr(0, 64), name70.substr(1, 64)},
      {cjk70, cjk70.substr(30) + "abc"},
      {cjk70, "\xe4\xb8\x80"},
      // A character cut in two where the prefix ends, and invalid bytes after it.
      {repeated("\xc3\xa9", 139) + "\xf0\x9d\x84\x9e\xff", repeated("\xc3\x89", 70)},
      {repeated("\xc3\xa9", 150) + "\xff", repeated("\xc3\x89", 69) + "\xff"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(pairTrace(c.a, c.b));
    const int expected = referenceLocalAlignmentScore(c.a, c.b);
    EXPECT_EQ(localAlignmentScore(c.a, c.b), expected);
    EXPECT_EQ(PreparedName(c.a).alignmentScore(c.b), expected);
    EXPECT_EQ(PreparedName(c.b).alignmentScore(c.a), expected);
  }
}

// One prepared query scores many rows, as in candidate scoring, so a row that disturbed
// the query's masks would show in the rows after it.
TEST(PreparedNameTest, ScoresGeneratedNamesAsLocalAlignmentScore) {
  NameGenerator names;
  for (int q = 0; q < 1000; ++q) {
    const std::string query = names.query();
    const PreparedName prepared(query);
    for (int r = 0; r < 30; ++r) {
      const std::string row = names.row();
      const int expected = localAlignmentScore(query, row);
      ASSERT_EQ(prepared.alignmentScore(row), expected) << pairTrace(query, row);
      if (r == 0) {
        ASSERT_EQ(expected, referenceLocalAlignmentScore(query, row)) << pairTrace(query, row);
      }
    }
  }
}

// A row the length bound skips must be one that could not have reached the minimum; the
// bound has to skip some, or this holds for nothing.
TEST(PreparedNameTest, AtLeastKeepsEveryRowThatReachesTheMinimum) {
  NameGenerator names;
  int skipped = 0;
  for (int q = 0; q < 1000; ++q) {
    const std::string query = names.query();
    const PreparedName prepared(query);
    CharPrefix queryChars;
    lowerPrefix(query, &queryChars);
    for (int r = 0; r < 20; ++r) {
      const std::string row = names.row();
      CharPrefix rowChars;
      lowerPrefix(row, &rowChars);
      const int score = localAlignmentScore(query, row);
      for (int minimum : {1, 41, 50, 70, 80, 90, 100}) {
        ASSERT_EQ(prepared.alignmentScoreAtLeast(row, minimum), score >= minimum ? score : 0)
            << pairTrace(query, row) << " minimum " << minimum;
        skipped += bestAlignmentScore(queryChars.count, rowChars.count) < minimum;
      }
    }
  }
  EXPECT_GT(skipped, 10000);
}

}  // namespace
