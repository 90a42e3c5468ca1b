// Fuzz target: the name normalizations, tokens, the character slices and the fuzzy stage's
// folding. The input is a five-byte header (a flag byte, then start and end character
// positions as signed 16-bit numbers) and the name; every result must be valid UTF-8.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>

#include "fuzz_check.h"
#include "fuzzy/NameFolding.h"
#include "text/Normalize.h"
#include "text/Tokens.h"
#include "text/Utf8.h"
#include "text/Utf8Substring.h"

namespace {

constexpr size_t kHeaderSize = 5;

bool isValid(const std::string& text) {
  return g_utf8_validate_len(text.data(), text.size(), nullptr);
}

// Tokens and their joined form hold no delimiter but the apostrophe kept inside a token
// and, in the joined form, the blank between tokens.
bool onlyKeptDelimiters(const std::string& text, bool blanks) {
  for (char c : text) {
    if (isDelimiter(c) && c != '\'' && !(blanks && c == ' ')) return false;
  }
  return true;
}

int16_t position(const uint8_t* bytes) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | bytes[1] << 8));
}

// The characters g_utf8_substring counts: the repaired text up to its first NUL.
glong charCount(const char* text) {
  const std::string valid = validUtf8(text);
  return g_utf8_strlen(valid.data(), static_cast<gssize>(valid.size()));
}

// Valid UTF-8 words separated by single blanks, none at either end.
bool isFolded(const std::string& text) {
  if (!isValid(text)) return false;
  if (text.empty()) return true;
  return text.front() != ' ' && text.back() != ' ' && text.find("  ") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A GLib warning means a GLib call got text it should never see.
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderSize) return 0;
  const bool featuring = data[0] & 1;
  const glong start = position(data + 1);
  const glong end = position(data + 3);
  std::string name(reinterpret_cast<const char*>(data + kHeaderSize), size - kHeaderSize);

  const std::string normalized = normalizeName(&name, featuring);
  check(isValid(normalized), "normalizeName gave invalid UTF-8");
  check(onlyKeptDelimiters(normalized, true), "normalizeName kept a delimiter");

  GCharPtr lowered(normalize(name.c_str()));
  check(lowered != nullptr && g_utf8_validate(lowered.get(), -1, nullptr),
        "normalize gave invalid UTF-8");

  const std::list<std::string> tokens = splitToTokens(&name);
  check(!tokens.empty(), "splitToTokens gave no token");
  for (const std::string& token : tokens) {
    check(isValid(token), "token of invalid UTF-8");
    check(onlyKeptDelimiters(token, false), "token holds a delimiter");
  }

  GCharPtr first(getFirstChar(name));
  check(first != nullptr && g_utf8_validate(first.get(), -1, nullptr),
        "getFirstChar gave invalid UTF-8");
  check(g_utf8_strlen(first.get(), -1) == (name.empty() ? 0 : 1),
        "getFirstChar gave other than one character");

  GCharPtr slice(g_utf8_substring(name.c_str(), start, end));
  check(slice != nullptr && g_utf8_validate(slice.get(), -1, nullptr),
        "g_utf8_substring gave invalid UTF-8");
  const glong length = charCount(name.c_str());
  const glong from = CLAMP(start, 0, length);
  const glong to = end == -1 ? length : CLAMP(end, from, length);
  check(g_utf8_strlen(slice.get(), -1) == to - from, "g_utf8_substring gave the wrong length");

  if (is_unknown(name)) check(strlen(name.c_str()) == name.size(), "placeholder with a NUL");

  // The fuzzy stage's folding: valid words of one blank apart, and every part folded too.
  check(isFolded(foldName(name)), "foldName gave other than folded words");
  for (const NameParts& parts : {artistParts(name), titleParts(name)}) {
    check(isFolded(parts.core) && isFolded(parts.article) && isFolded(parts.featured) &&
              isFolded(parts.version),
          "a name part is not folded");
  }
  return 0;
}
