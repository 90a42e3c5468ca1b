// CharPrefix: the first characters of a name as code points, the form the fuzzy
// comparisons work on. A plain value on the caller's stack; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_CHARPREFIX_H_
#define OSTREV_LIBMATCH_TEXT_CHARPREFIX_H_

#include <cstdint>
#include <string_view>

#include "ostrev/limits.h"

// Only this many leading characters of a name take part in a comparison: as many as a
// query text may have bytes, so that every character of one takes part.
constexpr int kCompareChars = static_cast<int>(ostrev::kQueryTextBytes);

struct CharPrefix {
  int count = 0;  // at most kCompareChars
  // Every character is below 256 (ASCII or Latin-1). Only ever an optimization, so false
  // unless whoever filled `chars` checked.
  bool narrow = false;
  uint32_t chars[kCompareChars];
};

// The first characters of `text` after validUtf8 and g_utf8_strdown. Plain ASCII is
// lowered here without GLib, valid UTF-8 mostly character by character; neither touches
// the heap, and the result is the same either way.
void lowerPrefix(std::string_view text, CharPrefix* out);

// The first characters of `text` after validUtf8, case kept.
void plainPrefix(std::string_view text, CharPrefix* out);

#endif  // OSTREV_LIBMATCH_TEXT_CHARPREFIX_H_
