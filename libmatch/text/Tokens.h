// Cutting a name into tokens and rewriting the tokens into the form the catalogue
// stores. Stateless; any thread. Token lists belong to the caller.
#ifndef OSTREV_LIBMATCH_TEXT_TOKENS_H_
#define OSTREV_LIBMATCH_TEXT_TOKENS_H_

#include <list>
#include <string>

// The 32 ASCII characters that end a token. The ampersand is not one of them: "&" is a
// token of its own, the form "and" takes.
extern const char* DELIMITERS;

bool isDelimiter(char c);

// The tokens of `name` (null counts as empty) after lower-casing and decomposition.
// Delimiters separate tokens and are dropped, except an apostrophe inside "it's",
// "don't" or "l'amour". The text after the last delimiter is always the last token, so
// a name ending with a delimiter, or an empty one, ends with an empty token.
std::list<std::string> splitToTokens(std::string* name);

// Rewrites `tokens` in place: drops one leading article, turns "and" into "&", trims
// common endings ("gangster" -> "gangsta", "singing" -> "singin"), and with `featuring`
// drops "feat" and everything after it.
void processTokens(std::list<std::string>* tokens, bool featuring);

// `tokens` separated by single blanks; empty tokens keep their blank.
std::string joinTokens(std::list<std::string>* tokens);

#endif  // OSTREV_LIBMATCH_TEXT_TOKENS_H_
