// CharPrefix: the first characters of a name as code points, the form the fuzzy
// comparisons work on. A plain value on the caller's stack; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_CHARPREFIX_H_
#define OSTREV_LIBMATCH_TEXT_CHARPREFIX_H_

#include <cstdint>
#include <string>

// Only this many leading characters of a name take part in a comparison.
constexpr int kCompareChars = 70;

struct CharPrefix {
  int count = 0;  // at most kCompareChars
  uint32_t chars[kCompareChars];
};

// The first characters of `text` after validUtf8 and g_utf8_strdown. Plain ASCII is
// lowered here without GLib or the heap; the result is the same either way.
void lowerPrefix(const std::string& text, CharPrefix* out);

// The first characters of `text` after validUtf8, case kept.
void plainPrefix(const std::string& text, CharPrefix* out);

#endif  // OSTREV_LIBMATCH_TEXT_CHARPREFIX_H_
