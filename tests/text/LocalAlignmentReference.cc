#include "text/LocalAlignmentReference.h"

#include <glib.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "text/Utf8.h"

namespace {

std::vector<gunichar> lowerChars(const std::string& text) {
  const std::string valid = validUtf8(text);
  GCharPtr lower(g_utf8_strdown(valid.c_str(), -1));
  std::vector<gunichar> chars;
  for (const char* p = lower.get(); *p != '\0'; p = g_utf8_next_char(p)) {
    chars.push_back(g_utf8_get_char(p));
  }
  return chars;
}

}  // namespace

int referenceLocalAlignmentScore(const std::string& a, const std::string& b) {
  const std::vector<gunichar> A = lowerChars(a);
  const std::vector<gunichar> B = lowerChars(b);
  const int W = std::min<int>(70, static_cast<int>(A.size())) + 1;
  const int H = std::min<int>(70, static_cast<int>(B.size())) + 1;
  const int D = std::min(W, H);
  if (W == 1 || H == 1) return 0;

  // M[k][j]: row k is the k-th character of B, column j the j-th of A.
  std::vector<std::vector<int>> M(H, std::vector<int>(W));
  for (int j = 0; j < W; ++j) M[0][j] = j;
  for (int k = 0; k < H; ++k) M[k][0] = k;
  std::vector<int> current(71, 0);
  std::vector<int> previous(71, 0);
  int L = 0;
  for (int j = 1; j < W; ++j) {
    for (int k = 1; k < H; ++k) {
      if (A[j - 1] == B[k - 1]) {
        M[k][j] = std::min({M[k - 1][j] + 1, M[k][j - 1] + 1, M[k - 1][j - 1]});
        current[k] = previous[k - 1] + 1;
        L = std::max(L, current[k]);
      } else {
        M[k][j] = std::min({M[k - 1][j] + 1, M[k][j - 1] + 1, M[k - 1][j - 1] + 1});
        current[k] = 0;
      }
    }
    std::swap(current, previous);
  }

  const int distance = M[H - 1][W - 1];
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
