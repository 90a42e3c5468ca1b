// The bounds of a request, shared by the server, its clients and the library: how many
// candidates one may ask for, and how much of each query text a lookup reads. Constants;
// any thread.
#ifndef OSTREV_INCLUDE_OSTREV_LIMITS_H_
#define OSTREV_INCLUDE_OSTREV_LIMITS_H_

#include <cstddef>

namespace ostrev {

// The most candidates one request may ask for.
constexpr int kMostCandidates = 50;

// The bytes of each query text (artist, album, title) a lookup reads; the rest is cut,
// never inside a character.
constexpr size_t kQueryTextBytes = 70;

}  // namespace ostrev

#endif  // OSTREV_INCLUDE_OSTREV_LIMITS_H_
