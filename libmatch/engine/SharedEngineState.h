// SharedEngineState: what the engines of one server share, one engine per worker thread:
// the fuzzy index, the resident catalogue and the loading of the name caches. Owned
// jointly by those engines through a shared_ptr; every member may be used from any thread.
#ifndef OSTREV_LIBMATCH_ENGINE_SHAREDENGINESTATE_H_
#define OSTREV_LIBMATCH_ENGINE_SHAREDENGINESTATE_H_

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

#include "fuzzy/FuzzyTrackIndex.h"
#include "resident/ResidentCatalogue.h"

class SharedEngineState {
 public:
  // Null until an index is built; an index is immutable, so a reader keeps its copy safely
  // while a rebuild swaps in the next.
  std::shared_ptr<const FuzzyTrackIndex> fuzzyIndex() const { return std::atomic_load(&index_); }
  void setFuzzyIndex(std::shared_ptr<const FuzzyTrackIndex> index) {
    std::atomic_store(&index_, std::move(index));
  }

  // Null until loaded (with OPT_INMEMORY); swapped whole, as the index.
  std::shared_ptr<const ResidentCatalogue> residentCatalogue() const {
    return std::atomic_load(&resident_);
  }
  void setResidentCatalogue(std::shared_ptr<const ResidentCatalogue> catalogue,
                            unsigned long long generation) {
    std::atomic_store(&resident_, std::move(catalogue));
    generation_ = generation;
    loadedAt_ = std::chrono::steady_clock::now().time_since_epoch().count();
  }
  // The catalogue generation the resident catalogue was read at.
  unsigned long long residentGeneration() const { return generation_; }
  // Since the resident catalogue was read; 0 before.
  double residentAgeSeconds() const {
    const auto loaded = loadedAt_.load();
    if (loaded == 0) return 0;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::chrono::duration<double>(std::chrono::steady_clock::duration(now - loaded))
        .count();
  }

  // The artist and album name caches are process-wide lists: the first engine that needs
  // them loads them, once, and the others read what it loaded.
  std::once_flag nameCachesLoaded;

  // Held by whoever rebuilds the index or the resident catalogue: one rebuild at a time.
  std::mutex rebuilding;

 private:
  std::shared_ptr<const FuzzyTrackIndex> index_;
  std::shared_ptr<const ResidentCatalogue> resident_;
  std::atomic<unsigned long long> generation_{0};
  std::atomic<std::chrono::steady_clock::rep> loadedAt_{0};
};

#endif  // OSTREV_LIBMATCH_ENGINE_SHAREDENGINESTATE_H_
