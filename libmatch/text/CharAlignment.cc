#include "text/CharAlignment.h"

#include <algorithm>

#include "text/AlignmentMeasures.h"

namespace {

// Gives the characters of both sequences numbers below 256, so that match masks fit a
// table of 256 entries: two prefixes hold at most 140 distinct characters.
void numberSymbols(const CharPrefix& a, const CharPrefix& b, uint32_t* aOut, uint32_t* bOut) {
  // Open addressing with 256 slots for at most 140 keys, so a search always ends.
  constexpr uint32_t kFree = 0xFFFFFFFF;  // above every code point
  uint32_t keys[256];
  uint32_t numbers[256];
  std::fill(keys, keys + 256, kFree);
  uint32_t next = 0;
  auto number = [&](uint32_t ch) {
    unsigned slot = (ch * 2654435761u) >> 24;
    while (keys[slot] != ch) {
      if (keys[slot] == kFree) {
        keys[slot] = ch;
        numbers[slot] = next++;
        break;
      }
      slot = (slot + 1) & 255;
    }
    return numbers[slot];
  };
  for (int i = 0; i < a.count; ++i) aOut[i] = number(a.chars[i]);
  for (int i = 0; i < b.count; ++i) bOut[i] = number(b.chars[i]);
}

}  // namespace

CharAlignment::CharAlignment(const CharPrefix& a, const CharPrefix& b) {
  const bool aIsPattern = a.count <= b.count;
  const CharPrefix& pattern = aIsPattern ? a : b;
  const CharPrefix& text = aIsPattern ? b : a;
  patternLength_ = pattern.count;
  textLength_ = text.count;
  if (pattern.narrow && text.narrow) {  // the characters are their own symbols
    pattern_ = pattern.chars;
    text_ = text.chars;
  } else {
    numberSymbols(pattern, text, numbered_[0], numbered_[1]);
    pattern_ = numbered_[0];
    text_ = numbered_[1];
  }
  const int low = std::min(patternLength_, 64);
  for (int j = 0; j < textLength_; ++j) lowMatch_[text_[j]] = 0;
  for (int i = 0; i < low; ++i) lowMatch_[pattern_[i]] = 0;
  for (int i = 0; i < low; ++i) lowMatch_[pattern_[i]] |= uint64_t(1) << i;
  if (patternLength_ <= 64) return;
  for (int j = 0; j < textLength_; ++j) highMatch_[text_[j]] = 0;
  for (int i = 0; i < patternLength_; ++i) highMatch_[pattern_[i]] = 0;
  for (int i = 64; i < patternLength_; ++i) highMatch_[pattern_[i]] |= uint64_t(1) << (i - 64);
}

int CharAlignment::distance() const {
  if (patternLength_ == 0) return textLength_;
  if (patternLength_ <= 64) {
    return editDistance<uint64_t>(patternLength_, textLength_,
                                  [this](int j) { return lowMatch_[text_[j]]; });
  }
  using Mask = unsigned __int128;
  return editDistance<Mask>(patternLength_, textLength_, [this](int j) {
    return Mask(highMatch_[text_[j]]) << 64 | lowMatch_[text_[j]];
  });
}

int CharAlignment::longestRun() const {
  // run[i]: the common run ending at pattern position i - 1 and the current text position;
  // updated from the back so that run[i - 1] still holds the previous column's value.
  int run[kCompareChars + 1] = {0};
  int longest = 0;
  for (int j = 0; j < textLength_; ++j) {
    for (int i = patternLength_; i > 0; --i) {
      run[i] = pattern_[i - 1] == text_[j] ? run[i - 1] + 1 : 0;
      longest = std::max(longest, run[i]);
    }
  }
  return longest;
}

int CharAlignment::longestRunOverHalf() const {
  return ::longestRunOverHalf(pattern_, patternLength_, text_, textLength_);
}
