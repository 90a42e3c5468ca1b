#include "text/FuzzyTextCompare.h"

#include <glib.h>

#include <algorithm>
#include <iostream>

#include "text/AlignmentScore.h"
#include "text/CharAlignment.h"
#include "text/CharPrefix.h"
#include "text/Utf8.h"

namespace {

std::string lowered(const std::string& text) {
  const std::string valid = validUtf8(text);
  GCharPtr lower(g_utf8_strdown(valid.c_str(), static_cast<gssize>(valid.size())));
  return std::string(lower.get());
}

// Characters of valid, NUL-free text, counting no further than kCompareChars.
int leadingChars(const std::string& valid) {
  int count = 0;
  for (const char* p = valid.c_str(); *p != '\0' && count < kCompareChars;
       p = g_utf8_next_char(p)) {
    ++count;
  }
  return count;
}

bool hasBlank(const std::string& text, int i) { return text[i] == ' ' || text[i + 1] == ' '; }

}  // namespace

int FuzzyTextCompare::localAlignmentScore(std::string& a, std::string& b) const {
  CharPrefix first;
  CharPrefix second;
  lowerPrefix(a, &first);
  lowerPrefix(b, &second);
  const CharAlignment alignment(first, second);
  return alignmentScore(
      first.count, second.count, [&alignment] { return alignment.distance(); },
      [&alignment] { return alignment.longestRunOverHalf(); });
}

int FuzzyTextCompare::letterPairSimilarity(const std::string& a, const std::string& b) const {
  const std::string first = lowered(a);
  std::string second = lowered(b);  // matched pairs get blanked here
  // A name of n characters gives n pairs at byte positions 0..n-1, the last one ending on
  // the byte after it (the terminating NUL for a short name). n <= size(), so position
  // n is at most the terminator and never past it.
  const int na = leadingChars(first);
  const int nb = leadingChars(second);

  int total = na + nb;
  for (int i = 0; i < na; ++i) total -= hasBlank(first, i);
  for (int k = 0; k < nb; ++k) total -= hasBlank(second, k);
  if (total < 1) return 0;

  int common = 0;
  for (int i = 0; i < na; ++i) {
    if (hasBlank(first, i)) continue;
    for (int k = 0; k < nb; ++k) {
      if (second[k] == first[i] && second[k + 1] == first[i + 1]) {
        ++common;
        second[k] = ' ';
        break;
      }
    }
  }
  return 200 * common / total;
}

int FuzzyTextCompare::initial_substrScore(std::string& a, std::string& b) const {
  const std::string first = validUtf8(a);
  const std::string second = validUtf8(b);
  const int shorter = static_cast<int>(
      std::min(g_utf8_strlen(first.c_str(), static_cast<gssize>(first.size())),
               g_utf8_strlen(second.c_str(), static_cast<gssize>(second.size()))));
  if (shorter == 0) return 0;

  int prefix = 0;
  for (const char *p = first.c_str(), *q = second.c_str();
       prefix < shorter && g_utf8_get_char(p) == g_utf8_get_char(q);
       p = g_utf8_next_char(p), q = g_utf8_next_char(q)) {
    ++prefix;
  }
  const float share = percentOf(prefix, shorter);
  return share > 80 ? static_cast<int>(share / 2) : 0;
}

int FuzzyTextCompare::substrScore(std::string& a, std::string& b) const {
  CharPrefix first;
  CharPrefix second;
  plainPrefix(a, &first);
  plainPrefix(b, &second);
  const int shorter = min(first.count, second.count);
  const int run = CharAlignment(first, second).longestRun();
  const float share = shorter == 0 ? 0.0f : percentOf(run, shorter);
  std::cout << "SUBSTRING SCORE [" << a << "] [" << b << "] " << run << ", " << share << '\n';
  return share > 50 ? static_cast<int>(share / 2) : 0;
}

int FuzzyTextCompare::normalizeScore(int distance, int len1, int len2) const {
  return editScore(distance, len1, len2);
}

int FuzzyTextCompare::max(int a, int b) const { return a > b ? a : b; }

int FuzzyTextCompare::min(int a, int b) const { return a < b ? a : b; }

int FuzzyTextCompare::minimum(int a, int b, int c) const { return min(min(a, b), c); }
