// Character-level slices of UTF-8 text. Stateless; any thread. Results are newly
// allocated; the caller releases them with g_free (or holds them in a GCharPtr).
#ifndef OSTREV_LIBMATCH_TEXT_UTF8SUBSTRING_H_
#define OSTREV_LIBMATCH_TEXT_UTF8SUBSTRING_H_

#include <glib.h>

#include <string>

// The first character of `s`, or "" when `s` is empty. Damaged bytes are repaired first,
// so the first character of damaged text may be U+FFFD; so is a leading NUL byte.
char* getFirstChar(std::string s);

// The characters of `str` (up to its NUL; null counts as empty) from `start_pos` up to,
// not including, `end_pos`. Positions are clamped to [0, length]; `end_pos` -1 means the
// end; an end before the start gives "". Damaged bytes are repaired first.
// It carries GLib's name and signature on purpose: GLib's own version trusts its
// positions and reads outside the text, so libmatch exports this one in its place.
extern "C" gchar* g_utf8_substring(const gchar* str, glong start_pos, glong end_pos);

#endif  // OSTREV_LIBMATCH_TEXT_UTF8SUBSTRING_H_
