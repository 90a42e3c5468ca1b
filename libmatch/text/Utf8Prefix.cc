#include "text/Utf8Prefix.h"

#include "ostrev/limits.h"

namespace {

constexpr size_t kMostContinuationBytes = 3;

bool isContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string utf8Prefix(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  // text[cut] is the first byte left out: while it continues a character, that character
  // started inside the prefix and must go too.
  size_t cut = maxBytes;
  for (size_t backed = 0; backed < kMostContinuationBytes && cut > 0 && isContinuation(text[cut]);
       ++backed) {
    --cut;
  }
  return text.substr(0, cut);
}

std::string lookupText(const std::string& text) {
  return utf8Prefix(text, ostrev::kQueryTextBytes);
}
