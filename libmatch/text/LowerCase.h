// Case folding for names: the lower-cased form, and the lower-cased decomposed form that
// tokens are cut from. Stateless; any thread. Results are owned by the caller.
#ifndef OSTREV_LIBMATCH_TEXT_LOWERCASE_H_
#define OSTREV_LIBMATCH_TEXT_LOWERCASE_H_

#include <string>

// `text` lower-cased; invalid UTF-8 and NUL bytes are repaired first (see Utf8.h).
std::string lowerCase(const std::string& text);

// `text` lower-cased, then in canonical decomposition (NFD), so an accented letter is
// its base letter followed by a combining mark.
std::string lowerDecomposed(const std::string& text);

#endif  // OSTREV_LIBMATCH_TEXT_LOWERCASE_H_
