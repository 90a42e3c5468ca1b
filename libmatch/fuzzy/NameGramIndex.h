// NameGramIndex: distinct folded names and, for every trigram, the names holding it, for
// finding the names most like a query without comparing it with every name. Immutable
// once built, so any number of threads may search it at once, each with its own
// GramScratch.
#ifndef OSTREV_LIBMATCH_FUZZY_NAMEGRAMINDEX_H_
#define OSTREV_LIBMATCH_FUZZY_NAMEGRAMINDEX_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzzy/NameGrams.h"

using NameId = uint32_t;

struct NameMatch {
  NameId id;
  float dice;  // of the trigram sets, 0 to 1
};

// The working memory of one searching thread, reused from search to search.
struct GramScratch {
  std::vector<uint16_t> shared;  // per name: trigrams shared with the query so far
  std::vector<NameId> touched;   // the names whose count is not zero
};

class NameGramIndex {
 public:
  // At most this many postings are read for one search, whatever the query: a query made
  // of very common trigrams costs this, not a scan of the catalogue.
  static constexpr size_t kPostingBudget = 200000;

  // `names` are folded (foldName); a name's id is its position.
  explicit NameGramIndex(const std::vector<std::string>& names);

  NameGramIndex(const NameGramIndex&) = delete;
  NameGramIndex& operator=(const NameGramIndex&) = delete;

  size_t size() const { return nameStarts_.size() - 1; }
  // Valid as long as the index is.
  std::string_view name(NameId id) const;
  size_t memoryBytes() const;

  // Up to `limit` names most like `folded` by trigram Dice, best first (ties by id). A
  // name sharing no trigram with the query is never returned.
  std::vector<NameMatch> similar(const std::string& folded, size_t limit,
                                 GramScratch* scratch) const;

 private:
  // The names holding `gram`, as a range of postings_.
  struct Postings {
    const NameId* begin;
    const NameId* end;
  };
  Postings postingsOf(Gram gram) const;

  std::string text_;                  // every name, one after another
  std::vector<uint32_t> nameStarts_;  // name i is text_[nameStarts_[i], nameStarts_[i + 1])
  std::vector<uint16_t> gramCounts_;  // per name: its number of distinct trigrams
  std::vector<Gram> grams_;           // every distinct trigram, sorted
  std::vector<uint32_t> gramStarts_;  // gram i's names are postings_[gramStarts_[i], ..[i + 1])
  std::vector<NameId> postings_;
};

#endif  // OSTREV_LIBMATCH_FUZZY_NAMEGRAMINDEX_H_
