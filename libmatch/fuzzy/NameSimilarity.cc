#include "fuzzy/NameSimilarity.h"

#include <glib.h>

#include <algorithm>
#include <vector>

namespace {

// What a scanner misreads, on folded (lower-case) text: one character for another, or two
// for one ("rn" for "m"). Such a misreading costs kLookAlikeCost edits instead of one or two.
constexpr float kLookAlikeCost = 0.25f;
constexpr gunichar kLookAlikes[][2] = {{'0', 'o'}, {'1', 'l'}, {'1', 'i'}, {'i', 'l'}};
constexpr gunichar kLookAlikePairs[][3] = {{'r', 'n', 'm'}, {'c', 'l', 'd'}, {'v', 'v', 'w'}};

// A query cut short keeps at least kMinCutChars characters; its similarity runs from
// kCutFloor (almost all cut off) to 100 (nothing cut) in proportion to what it keeps.
constexpr size_t kMinCutChars = 2;
constexpr float kCutFloor = 50;

bool lookAlike(gunichar a, gunichar b) {
  for (const auto& pair : kLookAlikes) {
    if ((a == pair[0] && b == pair[1]) || (a == pair[1] && b == pair[0])) return true;
  }
  return false;
}

bool pairLooksLike(gunichar first, gunichar second, gunichar single) {
  for (const auto& pair : kLookAlikePairs) {
    if (first == pair[0] && second == pair[1] && single == pair[2]) return true;
  }
  return false;
}

// Folded names are valid UTF-8 (foldName repairs its input). The buffers are the calling
// thread's own, reused from call to call: scoring a candidate allocates nothing.
void codePoints(std::string_view text, std::vector<gunichar>* chars) {
  chars->clear();
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); p < end; p = g_utf8_next_char(p)) {
    chars->push_back(g_utf8_get_char(p));
  }
}

float editDistance(const std::vector<gunichar>& x, const std::vector<gunichar>& y) {
  thread_local std::vector<float> twoBack, previous, current;
  const size_t n = y.size();
  twoBack.assign(n + 1, 0);
  previous.resize(n + 1);
  current.resize(n + 1);
  for (size_t j = 0; j <= n; ++j) previous[j] = static_cast<float>(j);
  for (size_t i = 1; i <= x.size(); ++i) {
    current[0] = static_cast<float>(i);
    for (size_t j = 1; j <= n; ++j) {
      const gunichar a = x[i - 1];
      const gunichar b = y[j - 1];
      const float substitution = a == b ? 0 : lookAlike(a, b) ? kLookAlikeCost : 1;
      float best = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + substitution});
      if (i > 1 && j > 1 && a == y[j - 2] && x[i - 2] == b) best = std::min(best, twoBack[j - 2] + 1);
      if (i > 1 && pairLooksLike(x[i - 2], a, b)) best = std::min(best, twoBack[j - 1] + kLookAlikeCost);
      if (j > 1 && pairLooksLike(y[j - 2], b, a)) best = std::min(best, previous[j - 2] + kLookAlikeCost);
      current[j] = best;
    }
    std::swap(twoBack, previous);
    std::swap(previous, current);
  }
  return previous[n];
}

}  // namespace

float nameSimilarity(std::string_view query, std::string_view name) {
  if (query == name) return 100;
  thread_local std::vector<gunichar> x, y;
  codePoints(query, &x);
  codePoints(name, &y);
  if (x.empty() || y.empty()) return 0;
  const float longer = static_cast<float>(std::max(x.size(), y.size()));
  const float edited = 100.0f * std::max(0.0f, 1.0f - editDistance(x, y) / longer);
  if (x.size() >= kMinCutChars && x.size() < y.size() && std::equal(x.begin(), x.end(), y.begin())) {
    const float kept = static_cast<float>(x.size()) / static_cast<float>(y.size());
    return std::max(edited, kCutFloor + (100 - kCutFloor) * kept);
  }
  return edited;
}
