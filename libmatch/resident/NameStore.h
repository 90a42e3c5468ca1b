// NameStore: every distinct name of the resident catalogue, stored once and known by a
// small integer. Filled by one loading thread; once frozen it is only read, by any number
// of threads.
#ifndef OSTREV_LIBMATCH_RESIDENT_NAMESTORE_H_
#define OSTREV_LIBMATCH_RESIDENT_NAMESTORE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// 0 stands for an absent name (SQL NULL); present names start at 1.
using NameId = uint32_t;
constexpr NameId kNoName = 0;

class NameStore {
 public:
  NameStore();

  // The id of `name`, stored on its first appearance.
  NameId intern(std::string_view name);
  // Drops what interning needs; intern may not be called afterwards.
  void freeze();

  // The text of a name; "" for kNoName.
  std::string_view text(NameId id) const {
    return std::string_view(pool_.data() + starts_[id], starts_[id + 1] - starts_[id]);
  }
  // Ids in use, kNoName included.
  size_t count() const { return starts_.size() - 1; }
  size_t memoryBytes() const;

 private:
  void grow();

  std::string pool_;
  std::vector<uint64_t> starts_;  // name i is pool_[starts_[i], starts_[i + 1])
  std::vector<NameId> slots_;     // open addressing by the text's hash; kNoName is free
};

#endif  // OSTREV_LIBMATCH_RESIDENT_NAMESTORE_H_
