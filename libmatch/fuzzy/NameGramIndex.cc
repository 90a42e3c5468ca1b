#include "fuzzy/NameGramIndex.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Candidates by shared count before the exact Dice decides: enough that the right name
// survives when its count was cut short by skipped common trigrams.
constexpr size_t kCandidatesPerResult = 8;
constexpr size_t kMinCandidates = 256;

bool better(const NameMatch& a, const NameMatch& b) {
  return a.dice != b.dice ? a.dice > b.dice : a.id < b.id;
}

}  // namespace

NameGramIndex::NameGramIndex(const std::vector<std::string>& names) {
  nameStarts_.reserve(names.size() + 1);
  gramCounts_.reserve(names.size());
  std::vector<std::pair<Gram, NameId>> pairs;
  for (NameId id = 0; id < names.size(); ++id) {
    nameStarts_.push_back(static_cast<uint32_t>(text_.size()));
    text_ += names[id];
    const std::vector<Gram> grams = nameGrams(names[id]);
    gramCounts_.push_back(static_cast<uint16_t>(
        std::min<size_t>(grams.size(), std::numeric_limits<uint16_t>::max())));
    for (Gram gram : grams) pairs.emplace_back(gram, id);
  }
  nameStarts_.push_back(static_cast<uint32_t>(text_.size()));

  std::sort(pairs.begin(), pairs.end());
  postings_.reserve(pairs.size());
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (i == 0 || pairs[i].first != pairs[i - 1].first) {
      grams_.push_back(pairs[i].first);
      gramStarts_.push_back(static_cast<uint32_t>(postings_.size()));
    }
    postings_.push_back(pairs[i].second);
  }
  gramStarts_.push_back(static_cast<uint32_t>(postings_.size()));
}

std::string_view NameGramIndex::name(NameId id) const {
  return std::string_view(text_).substr(nameStarts_[id], nameStarts_[id + 1] - nameStarts_[id]);
}

size_t NameGramIndex::memoryBytes() const {
  return text_.capacity() + nameStarts_.capacity() * sizeof(uint32_t) +
         gramCounts_.capacity() * sizeof(uint16_t) + grams_.capacity() * sizeof(Gram) +
         gramStarts_.capacity() * sizeof(uint32_t) + postings_.capacity() * sizeof(NameId);
}

NameGramIndex::Postings NameGramIndex::postingsOf(Gram gram) const {
  auto at = std::lower_bound(grams_.begin(), grams_.end(), gram);
  if (at == grams_.end() || *at != gram) return {nullptr, nullptr};
  const size_t i = static_cast<size_t>(at - grams_.begin());
  return {postings_.data() + gramStarts_[i], postings_.data() + gramStarts_[i + 1]};
}

std::vector<NameMatch> NameGramIndex::similar(const std::string& folded, size_t limit,
                                              GramScratch* scratch) const {
  std::vector<NameMatch> result;
  const std::vector<Gram> queryGrams = nameGrams(folded);
  if (queryGrams.empty() || limit == 0) return result;

  // Rarest trigrams first: they say most, and the common ones are what the budget cuts.
  std::vector<Postings> lists;
  for (Gram gram : queryGrams) {
    Postings list = postingsOf(gram);
    if (list.begin != list.end) lists.push_back(list);
  }
  std::sort(lists.begin(), lists.end(), [](const Postings& a, const Postings& b) {
    return a.end - a.begin < b.end - b.begin;
  });

  scratch->shared.resize(size());
  scratch->touched.clear();
  size_t budget = kPostingBudget;
  for (const Postings& list : lists) {
    const size_t length = static_cast<size_t>(list.end - list.begin);
    if (length > budget && budget < kPostingBudget) continue;
    const NameId* end = list.begin + std::min(length, budget);
    for (const NameId* p = list.begin; p != end; ++p) {
      if (scratch->shared[*p]++ == 0) scratch->touched.push_back(*p);
    }
    budget -= static_cast<size_t>(end - list.begin);
  }

  // The most shared trigrams first, then the exact Dice of each survivor.
  std::vector<NameId>& touched = scratch->touched;
  const size_t keep = std::min(touched.size(), std::max(kMinCandidates, limit * kCandidatesPerResult));
  std::partial_sort(touched.begin(), touched.begin() + keep, touched.end(),
                    [&](NameId a, NameId b) {
                      const uint16_t sa = scratch->shared[a], sb = scratch->shared[b];
                      return sa != sb ? sa > sb : a < b;
                    });
  result.reserve(keep);
  for (size_t i = 0; i < keep; ++i) {
    const NameId id = touched[i];
    const size_t shared = sharedGrams(queryGrams, nameGrams(name(id)));
    result.push_back({id, gramDice(shared, queryGrams.size(), gramCounts_[id])});
  }
  for (NameId id : touched) scratch->shared[id] = 0;
  touched.clear();

  std::sort(result.begin(), result.end(), better);
  if (result.size() > limit) result.resize(limit);
  return result;
}
