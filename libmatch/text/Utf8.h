// UTF-8 housekeeping shared by the text functions: the one rule for invalid input, and
// ownership of texts GLib allocates. Stateless; any thread.
//
// The rule: every text is made valid before any GLib call. Invalid sequences and NUL
// bytes become U+FFFD (the replacement character), so a damaged byte costs one character
// of similarity instead of the whole name, and no GLib call ever sees bytes it could read
// past or assert on.
#ifndef OSTREV_LIBMATCH_TEXT_UTF8_H_
#define OSTREV_LIBMATCH_TEXT_UTF8_H_

#include <glib.h>

#include <memory>
#include <string>

// Releases a text that GLib allocated.
struct GFree {
  void operator()(void* p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

// `text` itself when it is valid UTF-8 without NUL bytes, otherwise its repaired copy.
std::string validUtf8(const std::string& text);

// True when every byte is ASCII and none is NUL: such text needs no GLib call at all.
bool isPlainAscii(const std::string& text);

#endif  // OSTREV_LIBMATCH_TEXT_UTF8_H_
