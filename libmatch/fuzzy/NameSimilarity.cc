#include "fuzzy/NameSimilarity.h"

#include <glib.h>

#include <algorithm>
#include <vector>

namespace {

// Folded names are valid UTF-8 (foldName repairs its input). The buffers are the calling
// thread's own, reused from call to call: scoring a candidate allocates nothing.
void codePoints(std::string_view text, std::vector<gunichar>* chars) {
  chars->clear();
  const char* end = text.data() + text.size();
  for (const char* p = text.data(); p < end; p = g_utf8_next_char(p)) {
    chars->push_back(g_utf8_get_char(p));
  }
}

}  // namespace

float nameSimilarity(std::string_view a, std::string_view b) {
  if (a == b) return 100;
  thread_local std::vector<gunichar> x, y;
  thread_local std::vector<size_t> row;
  codePoints(a, &x);
  codePoints(b, &y);
  if (x.empty() || y.empty()) return 0;
  row.resize(y.size() + 1);
  for (size_t j = 0; j <= y.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= x.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= y.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  const float longer = static_cast<float>(std::max(x.size(), y.size()));
  return 100.0f * (1.0f - static_cast<float>(row[y.size()]) / longer);
}
