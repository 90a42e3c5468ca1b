#include "text/Normalize.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <random>

#include "text/LowerCase.h"
#include "text/Utf8.h"

namespace {

// Non-printable and non-ASCII bytes as \xNN, so a failing case shows its exact input.
std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    char hex[8];
    std::snprintf(hex, sizeof(hex), "\\x%02x", c);
    out += (c >= 0x20 && c < 0x7f) ? std::string(1, static_cast<char>(c)) : hex;
  }
  return out;
}

std::string taken(gchar* owned) { return GCharPtr(owned).get(); }

std::string nameOf(std::string text, bool featuring) {
  return normalizeName(&text, featuring);
}

const std::string kFffd = "\xef\xbf\xbd";  // U+FFFD, what damaged bytes become

TEST(NormalizeNameTest, CatalogueForms) {
  const struct { std::string input; bool featuring; std::string expected; } cases[] = {
      {"The Beatles", true, "beatles"},
      {"Simon and Garfunkel", true, "simon & garfunkel"},
      {"Simon & Garfunkel", true, "simon & garfunkel"},
      {"Artist feat. Bob", true, "artist"},
      {"Artist feat. Bob", false, "artist feat bob"},
      {"Artist featuring Bob", true, "artist featurin bob"},
      {"Artist featuring Bob", false, "artist featurin bob"},
      {"Feat. Bob", true, ""}, {"The Other Side", true, "otha side"},
      {"Guns N' Roses", true, "guns n roses"},
      {"it's my life", true, "it my life"},
      {"de l'amour", true, "de amour"}, {"L'Amour", true, "amour"},
      {"The", true, ""}, {"DJ", true, ""}, {"A", true, ""}, {"The The", true, "the"},
      {"Help!", true, "help "}, {"I can't", true, "i can t"}, {"", true, ""},
      {"Caf\xc3\xa9 M\xc3\xbcller", true, "cafe\xcc\x81 mu\xcc\x88lla"},
      {"Cafe\xcc\x81 Mu\xcc\x88ller", true, "cafe\xcc\x81 mu\xcc\x88lla"},
      {"\xc3\x89T\xc3\x89", true, "e\xcc\x81te\xcc\x81"},
      {"Bj\xf6rk", true, "bj" + kFffd + "rk"},
      {std::string("AC\0DC", 5), true, "ac" + kFffd + "dc"}, {"\xc3", true, kFffd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(escaped(c.input) + (c.featuring ? " (featuring)" : ""));
    EXPECT_EQ(escaped(c.expected), escaped(nameOf(c.input, c.featuring)));
  }
  EXPECT_EQ("", normalizeName(nullptr, true));
}

TEST(SplitToTokensTest, DelimitersAndApostrophes) {
  const struct { std::string input; std::list<std::string> expected; } cases[] = {
      {"", {""}},
      {",,a  b,,", {"a", "b", ""}},
      {"rock & roll\tband", {"rock", "&", "roll\tband"}},
      // Neither the end nor the start of the text counts as a delimiter.
      {"it's", {"it", "s"}}, {"it's,", {"it's", ""}}, {"don't x", {"don't", "x"}},
      {"'s x", {"s", "x"}}, {"l'amour", {"l", "amour"}}, {"'l'a", {"l'a"}},
      {"rock'n'roll", {"rock", "n", "roll"}}, {"\xc3\x89l'a", {"e\xcc\x81l", "a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(escaped(c.input));
    std::string input = c.input;
    EXPECT_EQ(c.expected, splitToTokens(&input));
  }
}

TEST(ProcessTokensTest, OneRulePerToken) {
  const struct { std::list<std::string> input, expected; } cases[] = {
      {{"the", "a", "x"}, {"a", "x"}},  // one article only, and only at the front
      {{"x", "the", "and", "und", "et"}, {"x", "the", "&", "&", "&"}},
      {{"x", "er", "her", "l'", "l'er"}, {"x", "er", "ha", "l'", "l'a"}},
      {{"x", "'t", "x't", "'s", "x's"}, {"x", "'t", "xt", "'s", "x"}},
      {{"x", "ing", "sing", "feat"}, {"x", "ing", "sin", "feat"}},
  };
  for (const auto& c : cases) {
    std::list<std::string> tokens = c.input;
    SCOPED_TRACE(escaped(joinTokens(&tokens)));
    processTokens(&tokens, false);
    EXPECT_EQ(c.expected, tokens);
  }
}

TEST(DelimiterTest, ExactlyTheListedBytes) {
  EXPECT_STREQ(" ,.!@#$%^*()_+=-|\\\"'`;:<>?/~{}[]", DELIMITERS);
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    SCOPED_TRACE(escaped(std::string(1, c)));
    EXPECT_EQ(byte != 0 && std::strchr(DELIMITERS, c) != nullptr, isDelimiter(c));
  }
}

TEST(UnknownTest, ExactPlaceholderNamesOnly) {
  for (std::string name :
       {"Unknown", "Unknown Artist", "Unknown Artists", "Various", "Various Artists"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(is_unknown(name));
    EXPECT_NE(nullptr, std::strstr(UNKNOWN_LIST, ("'" + name + "'").c_str()));
  }
  for (std::string name : {"unknown", "Various Artist", ""}) {
    SCOPED_TRACE(escaped(name));
    EXPECT_FALSE(is_unknown(name));
  }
  EXPECT_FALSE(is_unknown(std::string("Various\0", 8)));
  // Statements carry the list as it is; their logged texts must not change.
  EXPECT_STREQ(UNKNOWN_LIST,
               " ( 'Unknown', 'Unknown Artist', 'Unknown Artists', 'Various', "
               "'Various Artists' ) ");
}

TEST(NormalizeTest, LeadingArticles) {
  const struct { const char* input; std::string expected; } cases[] = {
      {"The Beatles", "beatles"}, {"The A Team", "team"}, {"A-ha", "a-ha"},
      {"Theatre", "theatre"}, {"The The", "the"}, {"x\nthe y", "x\ny"},
      {"\xc3\x89LAN", "\xc3\xa9lan"}, {"", ""}, {"\xffThe", kFffd + "the"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(escaped(c.input));
    EXPECT_EQ(escaped(c.expected), escaped(taken(normalize(c.input))));
  }
  EXPECT_EQ("", taken(normalize(nullptr)));
}

TEST(FirstCharTest, OneWholeCharacter) {
  const struct { std::string input, expected; } cases[] = {
      {"", ""}, {"abc", "a"}, {"\xc3\x89mile", "\xc3\x89"},
      {"\xf0\x9f\x8e\xb5x", "\xf0\x9f\x8e\xb5"}, {"\xe2\x82", kFffd},
      {std::string("\0a", 2), kFffd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(escaped(c.input));
    EXPECT_EQ(escaped(c.expected), escaped(taken(getFirstChar(c.input))));
  }
}

// Positions outside the text also show that libmatch's version is the one linked:
// GLib's reads outside the buffer there.
TEST(Utf8SubstringTest, PositionsAreClamped) {
  const char* const kText = "h\xc3\xa9llo";
  const struct { const char* input; glong start, end; std::string expected; } cases[] = {
      {kText, 1, 3, "\xc3\xa9l"}, {kText, 0, -1, kText}, {kText, -5, 2, "h\xc3\xa9"},
      {kText, 2, 100, "llo"}, {kText, 3, 1, ""}, {kText, 5, -1, ""}, {kText, 9, 20, ""},
      {kText, LONG_MIN, LONG_MAX, kText}, {kText, 1, -2, ""}, {"a\xff" "b", 1, 2, kFffd},
      {nullptr, 0, 3, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(escaped(c.input ? c.input : "(null)") + " " + std::to_string(c.start) +
                 ".." + std::to_string(c.end));
    EXPECT_EQ(escaped(c.expected),
              escaped(taken(g_utf8_substring(c.input, c.start, c.end))));
  }
}

// The ASCII fast path must give exactly what GLib's lower-casing and decomposition give.
TEST(NormalizeNameTest, AsciiFastPathMatchesGlib) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(1, 127), length(0, 40);
  for (int i = 0; i < 2000; ++i) {
    std::string text(length(random), ' ');
    for (char& c : text) c = static_cast<char>(byte(random));
    SCOPED_TRACE(escaped(text));
    GCharPtr lower(g_utf8_strdown(text.c_str(), -1));
    GCharPtr decomposed(g_utf8_normalize(lower.get(), -1, G_NORMALIZE_DEFAULT));
    ASSERT_EQ(lower.get(), lowerCase(text));
    ASSERT_EQ(decomposed.get(), lowerDecomposed(text));
  }
}

TEST(NormalizeNameTest, HugeDamagedInputStaysInBounds) {
  std::string huge;
  for (int i = 0; i < 200000; ++i) huge.append("Ab\xff \xc3\xa9's l'x\xe2,");
  EXPECT_FALSE(nameOf(huge + std::string(1, '\0') + huge, true).empty());
  EXPECT_EQ(0u, taken(normalize(huge.c_str())).rfind("ab" + kFffd + " \xc3\xa9", 0));
  EXPECT_EQ("A", taken(getFirstChar(huge)));
  EXPECT_EQ("b" + kFffd, taken(g_utf8_substring(huge.c_str(), 1, 3)));
  EXPECT_EQ("", taken(g_utf8_substring(huge.c_str(), LONG_MAX - 1, -1)));
}

}  // namespace
