#include "fuzzy/NameSimilarity.h"

#include <glib.h>

#include <algorithm>
#include <vector>

#include "text/CharAlignment.h"

namespace {

// Costs in quarter edits, so that the distance stays an integer.
constexpr int kEdit = 4;
// What a scanner misreads, on folded (lower-case) text: one character for another, or two
// for one ("rn" for "m"). Such a misreading costs a quarter of an edit.
constexpr int kLookAlike = 1;
// Characters of one group read as one another: "0"/"o", and "1"/"l"/"i".
int lookAlikeGroup(gunichar c) {
  switch (c) {
    case '0': case 'o': return 1;
    case '1': case 'l': case 'i': return 2;
    default: return 0;
  }
}
// The two characters read as `single`, or nullptr.
const char* pairReadAs(gunichar single) {
  switch (single) {
    case 'm': return "rn";
    case 'd': return "cl";
    case 'w': return "vv";
    default: return nullptr;
  }
}

// Look-alikes and swapped neighbours are looked for only between names this alike
// (in percent) by plain edits; the plain distance is many times faster to compute.
constexpr float kRefineFloor = 40;

// A query cut short keeps at least kMinCutChars characters; its similarity runs from
// kCutFloor (almost all cut off) to 100 (nothing cut) in proportion to what it keeps.
constexpr size_t kMinCutChars = 2;
constexpr float kCutFloor = 50;

bool pairLooksLike(gunichar first, gunichar second, gunichar single) {
  const char* pair = pairReadAs(single);
  return pair != nullptr && first == static_cast<gunichar>(pair[0]) &&
         second == static_cast<gunichar>(pair[1]);
}

// Folded names are valid UTF-8 (foldName repairs its input). The buffers are the calling
// thread's own, reused from call to call: scoring a candidate allocates nothing.
void codePoints(std::string_view text, std::vector<gunichar>* chars) {
  chars->clear();
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); p < end;) {
    const unsigned char byte = static_cast<unsigned char>(*p);
    if (byte < 0x80) {
      chars->push_back(byte);
      ++p;
    } else {
      chars->push_back(g_utf8_get_char(p));
      p = g_utf8_next_char(p);
    }
  }
}

// Unit-cost edit distance, bit-parallel for names of up to kCompareChars characters.
int plainDistance(const std::vector<gunichar>& x, const std::vector<gunichar>& y) {
  if (x.size() <= static_cast<size_t>(kCompareChars) &&
      y.size() <= static_cast<size_t>(kCompareChars)) {
    CharPrefix a, b;
    a.count = static_cast<int>(x.size());
    b.count = static_cast<int>(y.size());
    std::copy(x.begin(), x.end(), a.chars);
    std::copy(y.begin(), y.end(), b.chars);
    const auto below256 = [](gunichar c) { return c < 256; };
    a.narrow = std::all_of(x.begin(), x.end(), below256);
    b.narrow = std::all_of(y.begin(), y.end(), below256);
    return CharAlignment(a, b).distance();
  }
  thread_local std::vector<int> row;
  row.resize(y.size() + 1);
  for (size_t j = 0; j <= y.size(); ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= x.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (size_t j = 1; j <= y.size(); ++j) {
      const int above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[y.size()];
}

// Edit distance in quarter edits: substitutions, insertions, deletions and swaps of
// neighbours at kEdit, look-alikes at kLookAlike.
int editDistance(const std::vector<gunichar>& x, const std::vector<gunichar>& y) {
  thread_local std::vector<int> rows;
  thread_local std::vector<int> groups;
  const size_t n = y.size();
  rows.assign(3 * (n + 1), 0);
  groups.resize(n);
  for (size_t j = 0; j < n; ++j) groups[j] = lookAlikeGroup(y[j]);
  int* twoBack = rows.data();
  int* previous = twoBack + (n + 1);
  int* current = previous + (n + 1);
  const gunichar* b = y.data();
  for (size_t j = 0; j <= n; ++j) previous[j] = static_cast<int>(j) * kEdit;
  for (size_t i = 1; i <= x.size(); ++i) {
    const gunichar a = x[i - 1];
    const gunichar before = i > 1 ? x[i - 2] : 0;
    const int group = lookAlikeGroup(a);
    const char* aReadAs = pairReadAs(a);
    current[0] = static_cast<int>(i) * kEdit;
    for (size_t j = 1; j <= n; ++j) {
      int best = std::min(previous[j], current[j - 1]) + kEdit;
      if (a == b[j - 1]) {
        best = std::min(best, previous[j - 1]);
      } else {
        const int substitution = group != 0 && group == groups[j - 1] ? kLookAlike : kEdit;
        best = std::min(best, previous[j - 1] + substitution);
        if (j > 1 && a == b[j - 2] && before == b[j - 1] && i > 1) {
          best = std::min(best, twoBack[j - 2] + kEdit);
        }
        if (i > 1 && pairLooksLike(before, a, b[j - 1])) {
          best = std::min(best, twoBack[j - 1] + kLookAlike);
        }
        if (aReadAs != nullptr && j > 1 && pairLooksLike(b[j - 2], b[j - 1], a)) {
          best = std::min(best, previous[j - 2] + kLookAlike);
        }
      }
      current[j] = best;
    }
    int* oldest = twoBack;
    twoBack = previous;
    previous = current;
    current = oldest;
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
  auto similarity = [longer](float edits) {
    return 100.0f * std::max(0.0f, 1.0f - edits / longer);
  };
  float edited = similarity(static_cast<float>(plainDistance(x, y)));
  if (edited >= kRefineFloor) {
    edited = similarity(static_cast<float>(editDistance(x, y)) / kEdit);
  }
  if (x.size() >= kMinCutChars && x.size() < y.size() && std::equal(x.begin(), x.end(), y.begin())) {
    const float kept = static_cast<float>(x.size()) / static_cast<float>(y.size());
    return std::max(edited, kCutFloor + (100 - kCutFloor) * kept);
  }
  return edited;
}
