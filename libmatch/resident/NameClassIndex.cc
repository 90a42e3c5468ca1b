#include "resident/NameClassIndex.h"

#include <algorithm>
#include <functional>

uint32_t keyHash(std::string_view key) {
  const size_t hash = std::hash<std::string_view>()(key);
  // Never 0, which NameKeyHashes keeps for "not worked out yet".
  return std::max<uint32_t>(1, static_cast<uint32_t>(hash ^ (hash >> 32)));
}

uint32_t NameKeyHashes::of(NameId name) {
  if (name >= hashes_.size()) hashes_.resize(names_.count(), 0);
  uint32_t& hash = hashes_[name];
  if (hash == 0) hash = keyHash(collation_.key(names_.text(name)));
  return hash;
}

void NameClassIndex::finish() {
  // Stable: within a hash the rows keep the order they were added in.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](uint64_t a, uint64_t b) { return (a >> 32) < (b >> 32); });
  entries_.shrink_to_fit();
}

const uint64_t* NameClassIndex::lowerBound(uint64_t hash) const {
  return std::lower_bound(entries_.data(), end(), hash << 32);
}
