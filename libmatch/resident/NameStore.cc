#include "resident/NameStore.h"

#include <functional>

namespace {

size_t hashOf(std::string_view text) { return std::hash<std::string_view>()(text); }

}  // namespace

NameStore::NameStore() : starts_{0, 0}, slots_(1024, kNoName) {}

NameId NameStore::intern(std::string_view name) {
  if ((count() + 1) * 2 > slots_.size()) grow();
  const size_t mask = slots_.size() - 1;
  for (size_t slot = hashOf(name) & mask;; slot = (slot + 1) & mask) {
    const NameId held = slots_[slot];
    if (held == kNoName) {
      pool_.append(name);
      starts_.push_back(pool_.size());
      const NameId id = static_cast<NameId>(count() - 1);
      slots_[slot] = id;
      return id;
    }
    if (text(held) == name) return held;
  }
}

void NameStore::grow() {
  std::vector<NameId> bigger(slots_.size() * 2, kNoName);
  const size_t mask = bigger.size() - 1;
  for (NameId held : slots_) {
    if (held == kNoName) continue;
    size_t slot = hashOf(text(held)) & mask;
    while (bigger[slot] != kNoName) slot = (slot + 1) & mask;
    bigger[slot] = held;
  }
  slots_.swap(bigger);
}

void NameStore::freeze() {
  std::vector<NameId>().swap(slots_);
  pool_.shrink_to_fit();
  starts_.shrink_to_fit();
}

size_t NameStore::memoryBytes() const {
  return pool_.capacity() + starts_.capacity() * sizeof(uint64_t) +
         slots_.capacity() * sizeof(NameId);
}
