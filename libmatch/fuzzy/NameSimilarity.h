// How alike a query's folded name is to a catalogue's: an edit distance in characters in
// which OCR look-alikes cost little and swapped neighbours one edit, over the longer
// length; a query that is the catalogue name cut short gets credit for what it keeps.
// Pure function; any thread.
#ifndef OSTREV_LIBMATCH_FUZZY_NAMESIMILARITY_H_
#define OSTREV_LIBMATCH_FUZZY_NAMESIMILARITY_H_

#include <string_view>

// 0 to 100; 100 only for equal names. Two empty names score 100, an empty against a
// non-empty one 0. Not symmetric: only the query may be the shorter, cut name.
float nameSimilarity(std::string_view query, std::string_view name);

#endif  // OSTREV_LIBMATCH_FUZZY_NAMESIMILARITY_H_
