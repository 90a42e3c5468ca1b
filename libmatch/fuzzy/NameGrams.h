// The character trigrams a folded name is indexed and compared by. Pure functions; any
// thread.
#ifndef OSTREV_LIBMATCH_FUZZY_NAMEGRAMS_H_
#define OSTREV_LIBMATCH_FUZZY_NAMEGRAMS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A trigram: three code points, 21 bits each, so that distinct trigrams never collide.
using Gram = uint64_t;

// The distinct trigrams of `folded` with a blank before and after it (so that short names
// and word starts count), sorted. Empty for an empty name.
std::vector<Gram> nameGrams(std::string_view folded);

// How many trigrams two sorted gram sets share.
size_t sharedGrams(const std::vector<Gram>& a, const std::vector<Gram>& b);

// Dice coefficient of two gram sets, 0 to 1: twice the shared count over the total.
float gramDice(size_t shared, size_t sizeA, size_t sizeB);

#endif  // OSTREV_LIBMATCH_FUZZY_NAMEGRAMS_H_
