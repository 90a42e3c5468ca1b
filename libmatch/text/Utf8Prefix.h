// The longest leading part of a text that fits a byte limit and ends on a whole UTF-8
// character: how every stored or looked-up name is cut. Stateless; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_UTF8PREFIX_H_
#define OSTREV_LIBMATCH_TEXT_UTF8PREFIX_H_

#include <cstddef>
#include <string>

// `text` itself when it has at most `maxBytes` bytes; otherwise its first `maxBytes` bytes,
// less the start of a character the cut would split (continuation bytes 10xxxxxx are
// backed off). At most three bytes are backed off, as many as a character continues: in a
// longer run of stray continuation bytes, which is no text anyway, the cut stays three
// bytes short of `maxBytes` rather than running back to the start.
std::string utf8Prefix(const std::string& text, size_t maxBytes);

// A name as a lookup reads it: its first ostrev::kQueryTextBytes bytes, ending on a whole
// character. Every query text is cut so, and so is every normalized name stored for the
// lookups to compare with one; a split character would match nothing in a statement.
std::string lookupText(const std::string& text);

#endif  // OSTREV_LIBMATCH_TEXT_UTF8PREFIX_H_
