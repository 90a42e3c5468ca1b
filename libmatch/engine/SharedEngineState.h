// SharedEngineState: what the engines of one server share, one engine per worker thread:
// the fuzzy index and the loading of the name caches. Owned jointly by those engines
// through a shared_ptr; every member may be used from any thread.
#ifndef OSTREV_LIBMATCH_ENGINE_SHAREDENGINESTATE_H_
#define OSTREV_LIBMATCH_ENGINE_SHAREDENGINESTATE_H_

#include <atomic>
#include <memory>
#include <mutex>

#include "fuzzy/FuzzyTrackIndex.h"

class SharedEngineState {
 public:
  // Null until an index is built; an index is immutable, so a reader keeps its copy safely
  // while a rebuild swaps in the next.
  std::shared_ptr<const FuzzyTrackIndex> fuzzyIndex() const { return std::atomic_load(&index_); }
  void setFuzzyIndex(std::shared_ptr<const FuzzyTrackIndex> index) {
    std::atomic_store(&index_, std::move(index));
  }

  // The artist and album name caches are process-wide lists: the first engine that needs
  // them loads them, once, and the others read what it loaded.
  std::once_flag nameCachesLoaded;

 private:
  std::shared_ptr<const FuzzyTrackIndex> index_;
};

#endif  // OSTREV_LIBMATCH_ENGINE_SHAREDENGINESTATE_H_
