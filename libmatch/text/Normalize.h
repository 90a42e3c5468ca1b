// The two normalized forms of a name: normalize() for the artist text of a query, and
// normalizeName() for the names stored in the catalogue; they are not interchangeable.
// Also the placeholder artist names. Stateless; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_NORMALIZE_H_
#define OSTREV_LIBMATCH_TEXT_NORMALIZE_H_

#include <string>
#include <vector>

#include "text/Tokens.h"
#include "text/Utf8Substring.h"

// The placeholder artist names as an SQL list with blanks around it, to follow IN; built
// from the same list as is_unknown.
extern const char* UNKNOWN_LIST;

// The placeholder artist names themselves, in the order of the list.
const std::vector<std::string>& placeholderArtistNames();

// `text` (null counts as empty) lower-cased, without a leading "the " and then a leading
// "a ", also at the start of each line. Newly allocated; release with g_free.
char* normalize(const char* text);

// The token form of `name` (null counts as empty): splitToTokens, processTokens with
// `featuring`, joinTokens.
std::string normalizeName(std::string* name, bool featuring);

// Whether `name` is exactly one of the placeholder artist names ("Unknown", "Various
// Artists", ...). The whole string counts: a NUL byte inside makes it no placeholder.
bool is_unknown(std::string name);

#endif  // OSTREV_LIBMATCH_TEXT_NORMALIZE_H_
