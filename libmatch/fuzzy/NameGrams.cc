#include "fuzzy/NameGrams.h"

#include <glib.h>

#include <algorithm>

std::vector<Gram> nameGrams(std::string_view folded) {
  std::vector<Gram> grams;
  if (folded.empty()) return grams;
  // Folded names are valid UTF-8 (foldName repairs its input), so decoding is safe.
  std::vector<gunichar> chars{' '};
  const char* end = folded.data() + folded.size();
  for (const char* p = folded.data(); p < end; p = g_utf8_next_char(p)) {
    chars.push_back(g_utf8_get_char(p) & 0x1FFFFF);
  }
  chars.push_back(' ');
  for (size_t i = 0; i + 2 < chars.size(); ++i) {
    grams.push_back(static_cast<Gram>(chars[i]) << 42 | static_cast<Gram>(chars[i + 1]) << 21 |
                    chars[i + 2]);
  }
  std::sort(grams.begin(), grams.end());
  grams.erase(std::unique(grams.begin(), grams.end()), grams.end());
  return grams;
}

size_t sharedGrams(const std::vector<Gram>& a, const std::vector<Gram>& b) {
  size_t shared = 0;
  for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
    if (a[i] < b[j]) {
      ++i;
    } else if (b[j] < a[i]) {
      ++j;
    } else {
      ++shared, ++i, ++j;
    }
  }
  return shared;
}

float gramDice(size_t shared, size_t sizeA, size_t sizeB) {
  if (sizeA + sizeB == 0) return 0;
  return 2.0f * static_cast<float>(shared) / static_cast<float>(sizeA + sizeB);
}
