#include "text/FuzzyTextCompare.h"

#include <glib.h>

#include <algorithm>
#include <iostream>

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

// Scores meet fixed thresholds, so a rounding difference moves names across them: every
// float step is written out in single precision, in this order.
float percentOf(int part, int whole) {
  return static_cast<float>(part) / static_cast<float>(whole) * 100.0f;
}

}  // namespace

int FuzzyTextCompare::localAlignmentScore(std::string& a, std::string& b) const {
  CharPrefix first;
  CharPrefix second;
  lowerPrefix(a, &first);
  lowerPrefix(b, &second);
  if (first.count == 0 || second.count == 0) return 0;

  const CharAlignment alignment(first, second);
  const int score = normalizeScore(alignment.distance(), first.count, second.count);
  if (score >= 70) return score;  // the common run only ever raises a weak score
  // The shorter length plus one: a run that spans the whole shorter name still falls
  // short of 100%.
  // Only a run over half the shorter name gets above 50%, so only such a run is looked for.
  float run = percentOf(alignment.longestRunOverHalf(), min(first.count, second.count) + 1);
  if (run > 50) {
    run = run / 2;
    const float raised = score + (100 - score) * run / 100;
    return static_cast<int>(raised);
  }
  return score;
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
  const int longest = max(len1, len2);
  if (longest <= 0) return 0;
  const float score =
      100.0f + (static_cast<float>(distance) / static_cast<float>(longest)) * -100.0f;
  // Finite for any int input, but it may lie outside int; 2147483520 is the largest float
  // below 2^31.
  return static_cast<int>(std::clamp(score, -2147483648.0f, 2147483520.0f));
}

int FuzzyTextCompare::max(int a, int b) const { return a > b ? a : b; }

int FuzzyTextCompare::min(int a, int b) const { return a < b ? a : b; }

int FuzzyTextCompare::minimum(int a, int b, int c) const { return min(min(a, b), c); }
