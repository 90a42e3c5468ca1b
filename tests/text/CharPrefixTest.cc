#include "text/CharPrefix.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Utf8.h"

namespace {

std::vector<uint32_t> charsOf(const CharPrefix& prefix) {
  return std::vector<uint32_t>(prefix.chars, prefix.chars + prefix.count);
}

// lowerPrefix lowers most characters one by one, which is right only while GLib lowers a
// text as the characters in it. So every character, at the start, after a letter, before a
// blank and at the end, against g_utf8_strdown of the whole text.
TEST(CharPrefixTest, LowersEveryCharacterAsGlibLowersText) {
  for (gunichar c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;  // surrogates are no characters
    char utf8[6];
    const std::string ch(utf8, g_unichar_to_utf8(c, utf8));
    const std::string text = ch + "A" + ch + " " + ch;
    GCharPtr lowered(g_utf8_strdown(text.c_str(), -1));
    std::vector<uint32_t> expected;
    for (const char* p = lowered.get(); *p != '\0'; p = g_utf8_next_char(p)) {
      expected.push_back(g_utf8_get_char(p));
    }
    CharPrefix prefix;
    lowerPrefix(text, &prefix);
    ASSERT_EQ(charsOf(prefix), expected) << "U+" << std::hex << c;
    bool narrow = true;
    for (uint32_t lower : expected) narrow &= lower < 256;
    ASSERT_EQ(prefix.narrow, narrow) << "U+" << std::hex << c;
  }
}

}  // namespace
