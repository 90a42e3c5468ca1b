#include "text/LocalAlignmentReference.h"

#include <glib.h>

#include <algorithm>

#include "text/Utf8.h"

namespace {

constexpr size_t kComparedChars = 70;

// The first 70 characters of the lower-cased text.
CodePoints lowerChars(const std::string& text) {
  const std::string valid = validUtf8(text);
  GCharPtr lower(g_utf8_strdown(valid.c_str(), -1));
  CodePoints chars;
  for (const char* p = lower.get(); *p != '\0' && chars.size() < kComparedChars;
       p = g_utf8_next_char(p)) {
    chars.push_back(g_utf8_get_char(p));
  }
  return chars;
}

}  // namespace

int referenceEditDistance(const CodePoints& a, const CodePoints& b) {
  // M[i][j]: distance between the first i characters of a and the first j of b.
  std::vector<std::vector<int>> M(a.size() + 1, std::vector<int>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) M[i][0] = static_cast<int>(i);
  for (size_t j = 0; j <= b.size(); ++j) M[0][j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const int substitute = M[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      M[i][j] = std::min({M[i - 1][j] + 1, M[i][j - 1] + 1, substitute});
    }
  }
  return M[a.size()][b.size()];
}

int referenceLongestCommonRun(const CodePoints& a, const CodePoints& b) {
  // R[i][j]: the common run ending at a's character i - 1 and b's character j - 1.
  std::vector<std::vector<int>> R(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  int longest = 0;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      if (a[i - 1] == b[j - 1]) R[i][j] = R[i - 1][j - 1] + 1;
      longest = std::max(longest, R[i][j]);
    }
  }
  return longest;
}

int referenceLocalAlignmentScore(const std::string& a, const std::string& b) {
  const CodePoints A = lowerChars(a);
  const CodePoints B = lowerChars(b);
  if (A.empty() || B.empty()) return 0;
  const int W = static_cast<int>(A.size()) + 1;
  const int H = static_cast<int>(B.size()) + 1;
  const int D = std::min(W, H);

  const int distance = referenceEditDistance(A, B);
  const int L = referenceLongestCommonRun(A, B);
  const int E = static_cast<int>(100 + (static_cast<float>(distance) / std::max(W - 1, H - 1)) *
                                           (-100));
  float S = static_cast<float>(L) / static_cast<float>(D) * 100.0f;
  if (E < 70 && S > 50) {
    S = S / 2;
    const float e = E + (100 - E) * S / 100;
    return static_cast<int>(e);
  }
  return E;
}
