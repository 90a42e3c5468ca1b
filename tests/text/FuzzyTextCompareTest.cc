#include "text/FuzzyTextCompare.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "text/GeneratedNames.h"
#include "text/LocalAlignmentReference.h"

namespace {

struct PairCase {
  std::string a;
  std::string b;
  int expected;
};

// Both orders, and the reference too: the scores are symmetric, and a swap sends the fast
// path down its other branch.
void expectAlignmentScores(const std::vector<PairCase>& cases) {
  FuzzyTextCompare compare;
  for (const PairCase& c : cases) {
    SCOPED_TRACE(pairTrace(c.a, c.b));
    std::string a = c.a;
    std::string b = c.b;
    EXPECT_EQ(compare.localAlignmentScore(a, b), c.expected);
    EXPECT_EQ(compare.localAlignmentScore(b, a), c.expected);
    EXPECT_EQ(referenceLocalAlignmentScore(c.a, c.b), c.expected);
  }
}

TEST(LocalAlignmentScoreTest, Examples) {
  const std::string name70 =
      "Pink Floyd - The Wall (Live at Earls Court 1980), Disc One: In The Fle";
  const std::string name69 = name70.substr(0, 69);
  std::string huge(1 << 20, '\0');
  std::mt19937 random(7);
  for (char& c : huge) c = static_cast<char>(random());
  expectAlignmentScores({
      {"Abbey Road", "Abbey Road", 100},
      {"abc", "xyz", 0},
      {"", "Abbey Road", 0},
      {"Beatles", "BEATLES", 100},
      {"abc", "abd", 66},  // a run of 2 over 3 + 1 is 50%, not above: no raise
      {"beatles", "the beatles", 79},
      {"rolling stones", "the rolling stones", 77},
      {"john lennon", "lennon", 73},
      // The float steps in any other order, or in double precision, give 57 and 51.
      {"pink floyds", "pink floyd - the wall part two live", 58},
      {"queen", "queen - bohemian rhapsody 1975", 50},
      {"Mot\xc3\xb6rhead", "MOTORHEAD", 88},
      {"\xe2\x84\xaa" "raftwerk", "kraftwerk", 100},  // the Kelvin sign lowers to k
      // Each damaged byte and NUL is one U+FFFD.
      {"abc\xff", "ABC\xfe", 100},
      {std::string("a\0b", 3), "a\xc0" "b", 100},
      {"a\xe2\x82", "a\xef\xbf\xbd\xef\xbf\xbd", 100},
      // Only the first 70 characters count, cut after lower-casing.
      {name70 + "Live at Pompeii", name70 + huge, 100},
      {name69 + "\xc4\xb0", name69 + "i", 100},  // U+0130 lowers to i and U+0307
      {name69 + "\xce\xa3" "a", name69 + "\xcf\x83", 100},  // sigma lowers by what follows
      {name69 + "\xce\xa3" "1", name69 + "\xcf\x83", 98},
  });
}

// GLib lowers ASCII 'I' to the dotless U+0131 under a Turkish locale.
TEST(LocalAlignmentScoreTest, TurkishLocale) {
  const std::string previous = setlocale(LC_CTYPE, nullptr);
  if (setlocale(LC_CTYPE, "tr_TR.UTF-8") == nullptr) GTEST_SKIP() << "no tr_TR.UTF-8 locale";
  expectAlignmentScores({
      {"ISTANBUL", "\xc4\xb1stanbul", 100},
      {"I", "i", 0},
      {"I\xcc\x87", "i", 100},  // I with a combining dot above is dotted i
  });
  setlocale(LC_CTYPE, previous.c_str());
}

// Fixed-seed pairs: unrelated names, near copies (a few edits, a prefix or a suffix),
// long ones around the 64-character word and the 70-character cap, over ASCII, a few
// letters (long common runs), accented letters that lower in odd ways, and raw bytes.
// Names are lists of pieces, so edits cut characters only where a piece is a lone byte.
class PairGenerator {
 public:
  using Name = std::vector<std::string>;

  PairGenerator() {
    for (char c = 'a'; c <= 'z'; ++c) ascii_.insert(ascii_.end(), {{c}, {char(c - 32)}, " "});
    few_ = {"a", "b", "A", "B", " "};
    accented_ = {"\xc3\xa9", "\xc3\x89", "\xc3\xb6", "\xc3\x96", "\xc3\x9f", "\xe1\xba\x9e",
                 "\xc4\xb0", "I", "\xc4\xb1", "i", "\xcc\x87", "\xce\xa3", "\xcf\x83",
                 "\xcf\x82", "\xce\xb1", "\xef\xac\x81", "\xc7\x85", "\xe2\x84\xaa", "k",
                 "\xe2\x82\xac", "\xf0\x9d\x84\x9e", "\xef\xbf\xbd", "a", " "};
    for (int byte = 0; byte < 256; ++byte) bytes_.push_back({static_cast<char>(byte)});
    bytes_.insert(bytes_.end(), accented_.begin(), accented_.end());
  }

  void next(std::string* a, std::string* b) {
    const Name* alphabets[] = {&ascii_, &few_, &accented_, &bytes_};
    const Name& alphabet = *alphabets[below(4)];
    const Name first = name(alphabet, below(3) == 0 ? 55 + below(30) : below(101));
    Name second;
    switch (below(4)) {
      case 0:
        second = name(alphabet, below(101));
        break;
      case 1:
        second = name(*alphabets[below(4)], below(101));
        break;
      case 2:
        second = name(alphabet, below(12));
        second.insert(below(2) ? second.begin() : second.end(), first.begin(), first.end());
        break;
      default:
        second = first;
        for (int edits = 1 + below(3); edits > 0; --edits) {
          const auto at = second.begin() + below(second.size() + 1);
          if (below(2) || at == second.end()) {
            second.insert(at, alphabet[below(alphabet.size())]);
          } else {
            second.erase(at);
          }
        }
    }
    *a = joined(first);
    *b = joined(second);
  }

 private:
  int below(size_t n) { return static_cast<int>(random_() % n); }

  Name name(const Name& alphabet, int length) {
    Name out;
    while (length-- > 0) out.push_back(alphabet[below(alphabet.size())]);
    return out;
  }

  static std::string joined(const Name& name) {
    std::string out;
    for (const std::string& piece : name) out += piece;
    return out;
  }

  std::mt19937 random_{20240611u};
  Name ascii_, few_, accented_, bytes_;
};

TEST(LocalAlignmentScoreTest, AgreesWithReferenceOnGeneratedPairs) {
  FuzzyTextCompare compare;
  PairGenerator generator;
  for (int i = 0; i < 24000; ++i) {
    std::string a;
    std::string b;
    generator.next(&a, &b);
    ASSERT_EQ(compare.localAlignmentScore(a, b), referenceLocalAlignmentScore(a, b))
        << "pair " << i << ": " << pairTrace(a, b);
  }
}

struct NormalizeCase {
  int distance;
  int len1;
  int len2;
  int expected;
};

TEST(FuzzyTextCompareTest, NormalizeScoreIsSinglePrecision) {
  const NormalizeCase cases[] = {
      {0, 5, 5, 100},      {1, 3, 2, 66},   {4, 11, 7, 63},
      {3, 10, 10, 70},     // 69.9999988 in double precision
      {10, 3, 10, 0},      {0, 0, 0, 0},    {5, -1, -2, 0},  // no length: nothing alike
      {INT_MAX, 1, 1, INT_MIN}, {INT_MIN, 1, 1, 2147483520},  // clamped, never undefined
  };
  FuzzyTextCompare compare;
  for (const NormalizeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.distance << " over " << c.len1 << ", " << c.len2);
    EXPECT_EQ(compare.normalizeScore(c.distance, c.len1, c.len2), c.expected);
  }
}

TEST(LetterPairSimilarityTest, Examples) {
  const std::string x70(70, 'x');
  const PairCase cases[] = {
      {"France", "FRENCH", 33},  // fr and nc of six pairs each
      {"a", "a", 100},           // a pairs with the end of the text
      {"ab", "ba", 0},
      {"   ", "  ", 0},
      {"aaa", "aa", 80},    // a pair of the second text matches once only
      {"a b", "a b", 100},  // pairs holding a blank count nowhere
      {"bcab", "abc", 28},  // blanking the matched "bc" spoils "ab" before it
      {"\xc3\xa9" "a", "\xc3\x89" "b", 50},  // byte pairs, as many as characters
      {"\xff", std::string("\0", 1), 100},
      {x70 + "y", x70 + "z", 98},  // past 70 characters the last pair takes the 71st byte
  };
  FuzzyTextCompare compare;
  for (const PairCase& c : cases) {
    SCOPED_TRACE(pairTrace(c.a, c.b));
    EXPECT_EQ(compare.letterPairSimilarity(c.a, c.b), c.expected);
  }
}

TEST(FuzzyTextCompareTest, InitialSubstrScore) {
  const PairCase cases[] = {
      {"abcdefghij", "abcdefghix", 45},
      {"abcde", "abcdx", 0},  // 80% is not above 80%
      {"abcdefghi", "abcdefghij", 50},
      {"", "abc", 0},
      {"Abc", "abc", 0},  // case counts
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa8", 0},
      {std::string("ab\0d", 4), "ab\xff" "d", 50},
  };
  FuzzyTextCompare compare;
  for (const PairCase& c : cases) {
    SCOPED_TRACE(pairTrace(c.a, c.b));
    std::string a = c.a;
    std::string b = c.b;
    EXPECT_EQ(compare.initial_substrScore(a, b), c.expected);
  }
}

TEST(FuzzyTextCompareTest, SubstrScorePrintsEveryCall) {
  const std::string y70(70, 'y');
  const PairCase cases[] = {
      {"beatles", "the beatles", 50}, {"Abcd", "abcd", 37}, {"abcdef", "xxabcx", 0},
      {"", "abc", 0},  {"ab", "a b", 0}, {y70 + "yyy", y70 + "y", 50},
  };
  const char* lines[] = {"7, 100", "3, 75", "3, 50", "0, 0", "1, 50", "70, 100"};
  FuzzyTextCompare compare;
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(pairTrace(cases[i].a, cases[i].b));
    std::string a = cases[i].a;
    std::string b = cases[i].b;
    testing::internal::CaptureStdout();
    EXPECT_EQ(compare.substrScore(a, b), cases[i].expected);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "SUBSTRING SCORE [" + a + "] [" + b + "] " + lines[i] + "\n");
  }
}

// Under the sanitizers this is what finds a read past a buffer on damaged input.
TEST(FuzzyTextCompareTest, ScoresStayInRangeOnGeneratedPairs) {
  FuzzyTextCompare compare;
  PairGenerator generator;
  for (int i = 0; i < 2000; ++i) {
    std::string a;
    std::string b;
    generator.next(&a, &b);
    SCOPED_TRACE(pairTrace(a, b));
    for (int score : {compare.letterPairSimilarity(a, b), compare.initial_substrScore(a, b)}) {
      EXPECT_GE(score, 0);
      EXPECT_LE(score, 100);
    }
  }
}

}  // namespace
