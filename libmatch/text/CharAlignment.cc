#include "text/CharAlignment.h"

#include <algorithm>
#include <cstring>

namespace {

// Gives the characters of both sequences small numbers, so that match masks fit a table
// of 256 entries: two prefixes hold at most 140 distinct characters.
void numberSymbols(const CharPrefix& a, const CharPrefix& b, uint8_t* aOut, uint8_t* bOut) {
  uint32_t bits = 0;
  for (int i = 0; i < a.count; ++i) {
    aOut[i] = static_cast<uint8_t>(a.chars[i]);
    bits |= a.chars[i];
  }
  for (int i = 0; i < b.count; ++i) {
    bOut[i] = static_cast<uint8_t>(b.chars[i]);
    bits |= b.chars[i];
  }
  if (bits < 256) return;  // ASCII and Latin-1 number themselves
  // Open addressing with 256 slots for at most 140 keys, so a search always ends.
  constexpr uint32_t kFree = 0xFFFFFFFF;  // above every code point
  uint32_t keys[256];
  uint8_t numbers[256];
  std::fill(keys, keys + 256, kFree);
  int next = 0;
  auto number = [&](uint32_t ch) {
    unsigned slot = (ch * 2654435761u) >> 24;
    while (keys[slot] != ch) {
      if (keys[slot] == kFree) {
        keys[slot] = ch;
        numbers[slot] = static_cast<uint8_t>(next++);
        break;
      }
      slot = (slot + 1) & 255;
    }
    return numbers[slot];
  };
  for (int i = 0; i < a.count; ++i) aOut[i] = number(a.chars[i]);
  for (int i = 0; i < b.count; ++i) bOut[i] = number(b.chars[i]);
}

// Global edit distance by Hyyrö's form of Myers' algorithm: one column of the distance
// matrix per text character, kept as +1/-1 vertical deltas in two words.
template <typename Word, typename Mask>
int editDistance(const Mask* match, int m, const uint8_t* text, int n) {
  Word plus = ~Word(0);
  Word minus = 0;
  const Word last = Word(1) << (m - 1);
  int distance = m;
  for (int j = 0; j < n; ++j) {
    const Word eq = static_cast<Word>(match[text[j]]);
    const Word xv = eq | minus;
    const Word xh = (((eq & plus) + plus) ^ plus) | eq;
    Word hplus = minus | ~(xh | plus);
    Word hminus = plus & xh;
    // Branch-free: whether the last row rises or falls is as good as random.
    distance += static_cast<int>((hplus & last) != 0) - static_cast<int>((hminus & last) != 0);
    hplus = (hplus << 1) | 1;  // the top row rises by one per column
    hminus <<= 1;
    plus = hminus | ~(xv | hplus);
    minus = hplus & xv;
  }
  return distance;
}

}  // namespace

CharAlignment::CharAlignment(const CharPrefix& a, const CharPrefix& b) {
  const bool aIsPattern = a.count <= b.count;
  const CharPrefix& pattern = aIsPattern ? a : b;
  const CharPrefix& text = aIsPattern ? b : a;
  patternLength_ = pattern.count;
  textLength_ = text.count;
  numberSymbols(pattern, text, pattern_, text_);
  for (int j = 0; j < textLength_; ++j) match_[text_[j]] = 0;
  for (int i = 0; i < patternLength_; ++i) match_[pattern_[i]] = 0;
  Mask bit = 1;
  for (int i = 0; i < patternLength_; ++i, bit <<= 1) match_[pattern_[i]] |= bit;
}

int CharAlignment::distance() const {
  if (patternLength_ == 0) return textLength_;
  if (patternLength_ <= 64) {
    return editDistance<uint64_t>(match_, patternLength_, text_, textLength_);
  }
  return editDistance<Mask>(match_, patternLength_, text_, textLength_);
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
  // A run of `minimum` or more of the m pattern characters covers pattern positions
  // [m - minimum, minimum), so it lies on a diagonal where that core matches whole.
  const int m = patternLength_;
  if (m == 0) return 0;
  const int minimum = m / 2 + 1;
  const int coreStart = m - minimum;
  const int core = 2 * minimum - m;
  int longest = 0;
  for (int j = 0; j + core <= textLength_; ++j) {
    if (text_[j] != pattern_[coreStart] ||
        std::memcmp(pattern_ + coreStart, text_ + j, core) != 0) {
      continue;
    }
    int before = 0;
    while (before < coreStart && before < j &&
           pattern_[coreStart - 1 - before] == text_[j - 1 - before]) {
      ++before;
    }
    int after = 0;
    while (minimum + after < m && j + core + after < textLength_ &&
           pattern_[minimum + after] == text_[j + core + after]) {
      ++after;
    }
    longest = std::max(longest, before + core + after);
  }
  return longest >= minimum ? longest : 0;
}
