#include "text/CharPrefix.h"

#include <glib.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "text/Utf8.h"

namespace {

// What GLib makes of the LC_CTYPE locale's name when it lowers text (it reads the first two
// letters just so): "tr" and "az" lower 'I' to the dotless U+0131, "lt" gives an i with
// more accents above an explicit dot. Everywhere else lowering is plain.
enum class Tailoring { kNone, kTurkic, kLithuanian };

Tailoring lowerTailoring() {
  const char* locale = setlocale(LC_CTYPE, nullptr);
  if (locale == nullptr) return Tailoring::kNone;
  if ((locale[0] == 't' && locale[1] == 'r') || (locale[0] == 'a' && locale[1] == 'z')) {
    return Tailoring::kTurkic;
  }
  if (locale[0] == 'l' && locale[1] == 't') return Tailoring::kLithuanian;
  return Tailoring::kNone;
}

uint32_t lowerAscii(uint32_t c) { return c - 'A' < 26u ? c + ('a' - 'A') : c; }

// Fills `out` from the leading bytes when they are plain ASCII; false leaves the text to
// the paths below. Only the bytes that become the prefix are looked at, since what follows
// them can at most add a mark after an ASCII letter, never change it ('I' aside, checked
// here). One pass that never branches on a byte, so that it vectorizes; on other text what
// it wrote is overwritten.
bool asciiPrefix(std::string_view text, bool lower, CharPrefix* out) {
  const int n = static_cast<int>(std::min(text.size(), static_cast<size_t>(kCompareChars)));
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
  unsigned char other = 0;  // NUL or not ASCII
  unsigned char capitalI = 0;
  for (int i = 0; i < n; ++i) {
    const unsigned char c = bytes[i];
    other |= static_cast<unsigned char>(c - 1) >= 0x7F;
    capitalI |= c == 'I';
    out->chars[i] = lower ? lowerAscii(c) : c;
  }
  if (other) return false;
  if (lower && capitalI && lowerTailoring() == Tailoring::kTurkic) return false;
  out->count = n;
  out->narrow = true;
  return true;
}

// Fills `out` from leading bytes that are valid UTF-8, lowering each character by itself;
// false leaves the text to GLib. Apart from tailored locales, only two characters lower
// otherwise in a text: U+0130 becomes two characters, and a capital sigma lowers by what
// follows it.
bool unicodePrefix(std::string_view text, bool lower, CharPrefix* out) {
  constexpr gunichar kCapitalDottedI = 0x130;
  constexpr gunichar kCapitalSigma = 0x3A3;
  if (lower && lowerTailoring() != Tailoring::kNone) return false;
  // The prefix lies within these bytes, so a long text is not validated to its end; a
  // character cut in two here only sends the text to GLib.
  const size_t scan = std::min(text.size(), static_cast<size_t>(4 * kCompareChars));
  if (!g_utf8_validate_len(text.data(), scan, nullptr)) return false;
  int count = 0;
  uint32_t bits = 0;
  for (const char *p = text.data(), *end = p + scan; p < end && count < kCompareChars;
       p = g_utf8_next_char(p)) {
    gunichar c = static_cast<unsigned char>(*p);
    if (c >= 0x80) {
      c = g_utf8_get_char(p);
      if (lower && (c == kCapitalDottedI || c == kCapitalSigma)) return false;
      if (lower) c = g_unichar_tolower(c);
    } else if (lower) {
      c = lowerAscii(c);
    }
    out->chars[count++] = c;
    bits |= c;
  }
  out->count = count;
  out->narrow = bits < 256;
  return true;
}

// `valid` is NUL-terminated valid UTF-8.
void decodePrefix(const char* valid, CharPrefix* out) {
  int count = 0;
  uint32_t bits = 0;
  for (const char* p = valid; *p != '\0' && count < kCompareChars; p = g_utf8_next_char(p)) {
    out->chars[count] = g_utf8_get_char(p);
    bits |= out->chars[count++];
  }
  out->count = count;
  out->narrow = bits < 256;
}

}  // namespace

void lowerPrefix(std::string_view text, CharPrefix* out) {
  if (asciiPrefix(text, true, out) || unicodePrefix(text, true, out)) return;
  // Lowering may change the number of characters (U+0130 becomes two), so the whole text
  // is lowered before the prefix is cut.
  const std::string valid = validUtf8(std::string(text));
  GCharPtr lowered(g_utf8_strdown(valid.c_str(), static_cast<gssize>(valid.size())));
  decodePrefix(lowered.get(), out);
}

void plainPrefix(std::string_view text, CharPrefix* out) {
  if (asciiPrefix(text, false, out) || unicodePrefix(text, false, out)) return;
  decodePrefix(validUtf8(std::string(text)).c_str(), out);
}
