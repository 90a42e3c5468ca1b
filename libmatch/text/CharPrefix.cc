#include "text/CharPrefix.h"

#include <glib.h>

#include <algorithm>
#include <clocale>

#include "text/Utf8.h"

namespace {

// GLib lowers 'I' to the dotless U+0131 when the name of the LC_CTYPE locale starts with
// "tr" or "az" (it reads the name just so); everywhere else ASCII lowers to ASCII.
bool capitalIIsDotless() {
  const char* locale = setlocale(LC_CTYPE, nullptr);
  if (locale == nullptr) return false;
  return (locale[0] == 't' && locale[1] == 'r') || (locale[0] == 'a' && locale[1] == 'z');
}

// Fills `out` from the leading bytes when they are plain ASCII; false leaves the text to
// GLib. Only the bytes that become the prefix are looked at, since what follows them can
// at most add a mark after an ASCII letter, never change it ('I' aside, checked here).
bool asciiPrefix(const std::string& text, bool lower, CharPrefix* out) {
  const int n = static_cast<int>(std::min(text.size(), static_cast<size_t>(kCompareChars)));
  bool capitalI = false;
  for (int i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0 || c >= 0x80) return false;
    capitalI |= c == 'I';
    out->chars[i] = (lower && static_cast<unsigned>(c - 'A') < 26u) ? c + ('a' - 'A') : c;
  }
  if (lower && capitalI && capitalIIsDotless()) return false;
  out->count = n;
  return true;
}

// `valid` is NUL-terminated valid UTF-8.
void decodePrefix(const char* valid, CharPrefix* out) {
  int count = 0;
  for (const char* p = valid; *p != '\0' && count < kCompareChars; p = g_utf8_next_char(p)) {
    out->chars[count++] = g_utf8_get_char(p);
  }
  out->count = count;
}

}  // namespace

void lowerPrefix(const std::string& text, CharPrefix* out) {
  if (asciiPrefix(text, true, out)) return;
  // Lowering may change the number of characters (U+0130 becomes two), so the whole text
  // is lowered before the prefix is cut.
  const std::string valid = validUtf8(text);
  GCharPtr lowered(g_utf8_strdown(valid.c_str(), static_cast<gssize>(valid.size())));
  decodePrefix(lowered.get(), out);
}

void plainPrefix(const std::string& text, CharPrefix* out) {
  if (asciiPrefix(text, false, out)) return;
  decodePrefix(validUtf8(text).c_str(), out);
}
