// How alike two folded names are: one minus their edit distance over the longer length,
// counted in characters. Pure function; any thread.
#ifndef OSTREV_LIBMATCH_FUZZY_NAMESIMILARITY_H_
#define OSTREV_LIBMATCH_FUZZY_NAMESIMILARITY_H_

#include <string_view>

// 0 to 100; 100 only for equal names. Two empty names score 100, an empty against a
// non-empty one 0.
float nameSimilarity(std::string_view a, std::string_view b);

#endif  // OSTREV_LIBMATCH_FUZZY_NAMESIMILARITY_H_
