// NameClassIndex: the rows of one name column grouped by the catalogue collation's
// equality, each group in the order its rows were added, so that "where name = X" is
// answered in the order the column's index gives. Built by one thread, then only read.
#ifndef OSTREV_LIBMATCH_RESIDENT_NAMECLASSINDEX_H_
#define OSTREV_LIBMATCH_RESIDENT_NAMECLASSINDEX_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "resident/Collation.h"
#include "resident/NameStore.h"

// The collation keys' hashes of the names of a store, each worked out once while loading.
class NameKeyHashes {
 public:
  NameKeyHashes(const Collation& collation, const NameStore& names)
      : collation_(collation), names_(names) {}
  uint32_t of(NameId name);

 private:
  const Collation& collation_;
  const NameStore& names_;
  std::vector<uint32_t> hashes_;  // by name id; 0 when not worked out yet
};

uint32_t keyHash(std::string_view key);

class NameClassIndex {
 public:
  // Building: rows are added in the order they are to be read back.
  void add(uint32_t keyHash, uint32_t row) {
    entries_.push_back(static_cast<uint64_t>(keyHash) << 32 | row);
  }
  void finish();

  // Calls visit(row) for each row whose name (nameOf(row)) equals `name` as the collation
  // compares, in the order they were added; visit returns false to stop.
  template <typename NameOf, typename Visit>
  void forEachEqual(const Collation& collation, const NameStore& names, std::string_view name,
                    NameOf nameOf, Visit visit) const {
    const std::string key = collation.key(name);
    const uint64_t hash = keyHash(key);
    std::unordered_map<NameId, bool> equal;
    for (const uint64_t* entry = lowerBound(hash); entry != end() && (*entry >> 32) == hash;
         ++entry) {
      const uint32_t row = static_cast<uint32_t>(*entry);
      const NameId rowName = nameOf(row);
      auto known = equal.find(rowName);
      if (known == equal.end()) {
        known = equal.emplace(rowName, collation.key(names.text(rowName)) == key).first;
      }
      if (known->second && !visit(row)) return;
    }
  }

  size_t memoryBytes() const { return entries_.capacity() * sizeof(uint64_t); }

 private:
  const uint64_t* lowerBound(uint64_t hash) const;
  const uint64_t* end() const { return entries_.data() + entries_.size(); }

  std::vector<uint64_t> entries_;  // key hash << 32 | row, by hash, then as added
};

#endif  // OSTREV_LIBMATCH_RESIDENT_NAMECLASSINDEX_H_
