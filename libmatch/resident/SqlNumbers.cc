#include "resident/SqlNumbers.h"

#include <cstdlib>
#include <string>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t digitsFrom(std::string_view text, size_t at) {
  while (at < text.size() && isDigit(text[at])) ++at;
  return at;
}

}  // namespace

bool parseUnsigned(std::string_view digits, uint64_t* value) {
  if (digits.empty()) return false;
  uint64_t result = 0;
  for (char c : digits) {
    if (!isDigit(c)) return false;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (result > (UINT64_MAX - digit) / 10) return false;
    result = result * 10 + digit;
  }
  *value = result;
  return true;
}

bool parseTrackId(std::string_view text, uint32_t* value) {
  const bool negative = !text.empty() && text[0] == '-';
  uint64_t magnitude;
  if (!parseUnsigned(text.substr(negative ? 1 : 0), &magnitude)) return false;
  if (magnitude > UINT32_MAX || (negative && magnitude != 0)) return false;
  *value = static_cast<uint32_t>(magnitude);
  return true;
}

double sqlTextAsNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
  const size_t start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const size_t integerEnd = digitsFrom(text, at);
  size_t end = integerEnd;
  bool anyDigit = integerEnd > at;
  if (end < text.size() && text[end] == '.') {
    const size_t fractionEnd = digitsFrom(text, end + 1);
    anyDigit = anyDigit || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!anyDigit) return 0;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const size_t exponentEnd = digitsFrom(text, exponent);
    if (exponentEnd > exponent) end = exponentEnd;
  }
  // Only the characters of a plain decimal number reach strtod: no hexadecimal, no "inf".
  return strtod(std::string(text.substr(start, end - start)).c_str(), nullptr);
}
