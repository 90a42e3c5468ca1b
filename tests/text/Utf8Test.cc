#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "text/Utf8Prefix.h"

namespace {

struct RepairCase {
  const char* what;
  std::string input;
  std::string valid;
};

class Utf8Test : public testing::TestWithParam<RepairCase> {};

TEST_P(Utf8Test, RepairsToValidText) {
  const RepairCase& c = GetParam();
  SCOPED_TRACE(c.what);
  std::string repaired = validUtf8(c.input);
  EXPECT_EQ(repaired, c.valid);
  EXPECT_TRUE(g_utf8_validate_len(repaired.data(), repaired.size(), nullptr));
}

const std::string kReplacement = "\xef\xbf\xbd";

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8Test,
    testing::Values(RepairCase{"empty", "", ""}, RepairCase{"ascii", "Abba", "Abba"},
                    RepairCase{"accented", "Bj\xc3\xb6rk", "Bj\xc3\xb6rk"},
                    RepairCase{"latin1 byte", "Bj\xf6rk", "Bj" + kReplacement + "rk"},
                    RepairCase{"nul inside", std::string("a\0b", 3), "a" + kReplacement + "b"},
                    RepairCase{"cut sequence", "ab\xe2\x82", "ab" + kReplacement + kReplacement},
                    RepairCase{"four bytes", "\xf0\x9f\x8e\xb8", "\xf0\x9f\x8e\xb8"}));

TEST(Utf8Test, PlainAsciiHasNoNulAndNoHighBytes) {
  EXPECT_TRUE(isPlainAscii(""));
  EXPECT_TRUE(isPlainAscii("The Beatles!"));
  EXPECT_FALSE(isPlainAscii(std::string("a\0b", 3)));
  EXPECT_FALSE(isPlainAscii("caf\xc3\xa9"));
}

struct PrefixCase {
  const char* what;
  std::string input;
  size_t maxBytes;
  std::string prefix;
};

class Utf8PrefixTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(Utf8PrefixTest, CutsOnAWholeCharacter) {
  const PrefixCase& c = GetParam();
  SCOPED_TRACE(testing::Message() << c.what << ": " << testing::PrintToString(c.input) << " to "
                                  << c.maxBytes << " bytes");
  EXPECT_EQ(utf8Prefix(c.input, c.maxBytes), c.prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8PrefixTest,
    testing::Values(PrefixCase{"fits", "Bj\xc3\xb6rk", 6, "Bj\xc3\xb6rk"},
                    PrefixCase{"ascii", "Abbey Road", 5, "Abbey"},
                    PrefixCase{"character ends at the cut", "ab\xc3\xa9z", 4, "ab\xc3\xa9"},
                    PrefixCase{"two bytes split", "abc\xc3\xa9", 4, "abc"},
                    PrefixCase{"three bytes split", "a\xe2\x82\xac", 2, "a"},
                    PrefixCase{"four bytes split", "a\xf0\x9f\x8e\xb8", 4, "a"},
                    PrefixCase{"nothing", "abc", 0, ""},
                    PrefixCase{"stray continuations", "a" + std::string(6, '\x80'), 5,
                               "a\x80"}));

}  // namespace
