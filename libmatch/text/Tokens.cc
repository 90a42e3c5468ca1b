#include "text/Tokens.h"

#include <array>

#include "text/LowerCase.h"

namespace {

constexpr char kDelimiters[] = " ,.!@#$%^*()_+=-|\\\"'`;:<>?/~{}[]";
static_assert(sizeof(kDelimiters) - 1 == 32, "32 delimiters");

constexpr std::array<bool, 256> delimiterTable() {
  std::array<bool, 256> table{};
  for (size_t i = 0; i + 1 < sizeof(kDelimiters); ++i) {
    table[static_cast<unsigned char>(kDelimiters[i])] = true;
  }
  return table;
}
constexpr std::array<bool, 256> kIsDelimiter = delimiterTable();

bool endsWith(const std::string& s, const char* suffix, size_t n) {
  return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

// Whether the apostrophe at `i` stays inside its token: before a lone "s" or "t"
// ("it's", "don't") or after a lone "l" ("l'amour"). Every delimiter is ASCII and a
// UTF-8 multi-byte character contains no ASCII byte, so looking at the neighbouring
// bytes is looking at the neighbouring characters.
bool keepsApostrophe(const std::string& text, size_t i) {
  if (i + 2 < text.size() && (text[i + 1] == 's' || text[i + 1] == 't') &&
      isDelimiter(text[i + 2])) {
    return true;
  }
  return i >= 2 && text[i - 1] == 'l' && isDelimiter(text[i - 2]);
}

bool isArticle(const std::string& token) {
  return token == "the" || token == "a" || token == "dj" || token == "l";
}

}  // namespace

const char* DELIMITERS = kDelimiters;

bool isDelimiter(char c) { return kIsDelimiter[static_cast<unsigned char>(c)]; }

std::list<std::string> splitToTokens(std::string* name) {
  const std::string text = name ? lowerDecomposed(*name) : std::string();
  std::list<std::string> tokens;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!isDelimiter(text[i])) continue;
    if (i == start) {
      start = i + 1;
    } else if (text[i] != '\'' || !keepsApostrophe(text, i)) {
      tokens.emplace_back(text, start, i - start);
      start = i + 1;
    }
  }
  tokens.emplace_back(text, start);
  return tokens;
}

void processTokens(std::list<std::string>* tokens, bool featuring) {
  if (!tokens) return;
  size_t position = 0;
  for (auto it = tokens->begin(); it != tokens->end(); ++position) {
    std::string& token = *it;
    const size_t n = token.size();
    if (position == 0 && isArticle(token)) {
      it = tokens->erase(it);
      continue;
    }
    // A one-byte token matches none of the rules below: each needs three bytes or more.
    if (token == "and" || token == "und" || token == "et") {
      token = "&";
    } else if (n >= 3 && endsWith(token, "er", 2)) {
      token.replace(n - 2, 2, "a");
    } else if (n >= 3 && endsWith(token, "'t", 2)) {
      token.erase(n - 2, 1);
    } else if (n >= 3 && endsWith(token, "'s", 2)) {
      token.erase(n - 2);
    } else if (n >= 3 && token.compare(0, 2, "l'") == 0) {
      token.erase(0, 2);
    } else if (n >= 4 && endsWith(token, "ing", 3)) {
      token.pop_back();
    } else if (featuring && token == "feat") {
      tokens->erase(it, tokens->end());
      return;
    }
    ++it;
  }
}

std::string joinTokens(std::list<std::string>* tokens) {
  std::string joined;
  if (!tokens) return joined;
  size_t size = tokens->size();
  for (const std::string& token : *tokens) size += token.size();
  joined.reserve(size);
  bool first = true;
  for (const std::string& token : *tokens) {
    if (!first) joined += ' ';
    joined += token;
    first = false;
  }
  return joined;
}
