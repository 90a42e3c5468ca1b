#include "text/PreparedName.h"

#include <algorithm>

#include "text/AlignmentMeasures.h"
#include "text/AlignmentScore.h"

PreparedName::PreparedName(std::string_view query) {
  lowerPrefix(query, &query_);
  std::fill(std::begin(narrowMasks_), std::end(narrowMasks_), Mask(0));
  std::fill(std::begin(wideKeys_), std::end(wideKeys_), kFreeSlot);
  std::fill(std::begin(wideMasks_), std::end(wideMasks_), Mask(0));
  Mask bit = 1;
  for (int i = 0; i < query_.count; ++i, bit <<= 1) {
    const uint32_t ch = query_.chars[i];
    if (ch < 256) {
      narrowMasks_[ch] |= bit;
      continue;
    }
    const int slot = wideSlotOf(ch);
    wideKeys_[slot] = ch;
    wideMasks_[slot] |= bit;
  }
}

int PreparedName::alignmentScore(std::string_view name) const {
  CharPrefix chars;
  lowerPrefix(name, &chars);
  return scoreOf(chars);
}

int PreparedName::alignmentScoreAtLeast(std::string_view name, int minimum) const {
  CharPrefix chars;
  lowerPrefix(name, &chars);
  if (bestAlignmentScore(query_.count, chars.count) < minimum) return 0;
  const int score = scoreOf(chars);
  return score >= minimum ? score : 0;
}

int PreparedName::scoreOf(const CharPrefix& name) const {
  const bool queryIsShorter = query_.count <= name.count;
  const CharPrefix& shorter = queryIsShorter ? query_ : name;
  const CharPrefix& longer = queryIsShorter ? name : query_;
  return ::alignmentScore(
      query_.count, name.count, [&] { return distanceTo(name); },
      [&] { return longestRunOverHalf(shorter.chars, shorter.count, longer.chars, longer.count); });
}

int PreparedName::distanceTo(const CharPrefix& name) const {
  // Most names are narrow, and their masks need no search.
  if (query_.count <= 64) {
    if (name.narrow) {
      return editDistance<uint64_t>(query_.count, name.count, [&](int j) {
        return static_cast<uint64_t>(narrowMasks_[name.chars[j]]);
      });
    }
    return editDistance<uint64_t>(query_.count, name.count, [&](int j) {
      return static_cast<uint64_t>(maskOf(name.chars[j]));
    });
  }
  if (name.narrow) {
    return editDistance<Mask>(query_.count, name.count,
                              [&](int j) { return narrowMasks_[name.chars[j]]; });
  }
  return editDistance<Mask>(query_.count, name.count, [&](int j) { return maskOf(name.chars[j]); });
}

PreparedName::Mask PreparedName::maskOf(uint32_t ch) const {
  if (ch < 256) return narrowMasks_[ch];
  const int slot = wideSlotOf(ch);
  return wideKeys_[slot] == ch ? wideMasks_[slot] : Mask(0);
}

// The slot holding `ch`, or the free slot where it would go.
int PreparedName::wideSlotOf(uint32_t ch) const {
  int slot = static_cast<int>((ch * 2654435761u) >> 25);
  while (wideKeys_[slot] != ch && wideKeys_[slot] != kFreeSlot) slot = (slot + 1) % kWideSlots;
  return slot;
}
