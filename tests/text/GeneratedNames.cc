#include "text/GeneratedNames.h"

#include <glib.h>

#include <cstdio>

std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text.substr(0, 300)) {
    char hex[5];
    snprintf(hex, sizeof(hex), "\\x%02x", c);
    out += (c >= 0x20 && c < 0x7f && c != '\\' && c != '"') ? std::string(1, c) : hex;
  }
  return text.size() > 300 ? out + "..." : out;
}

std::string pairTrace(const std::string& query, const std::string& row) {
  return "query=\"" + escaped(query) + "\" row=\"" + escaped(row) + "\"";
}

NameGenerator::NameGenerator() {
  Name ascii;
  for (char c = 'a'; c <= 'z'; ++c) ascii.insert(ascii.end(), {{c}, {char(c - 32)}, " "});
  const Name few = {"a", "b", "A", "B", " "};
  // Latin-1 and wider letters, U+0130 and the capital sigma (which lower into other
  // lengths or by context), the fi ligature, a titlecase digraph, the Kelvin sign, the euro
  // sign, a four-byte character and U+FFFD itself.
  const Name accented = {"\xc3\xa9", "\xc3\x89", "\xc3\xb6", "\xc3\x96", "\xc3\x9f",
                         "\xe1\xba\x9e", "\xc4\xb0", "I", "\xc4\xb1", "i", "\xcc\x87",
                         "\xce\xa3", "\xcf\x83", "\xcf\x82", "\xce\xb1", "\xef\xac\x81",
                         "\xc7\x85", "\xe2\x84\xaa", "k", "\xe2\x82\xac", "\xf0\x9d\x84\x9e",
                         "\xef\xbf\xbd", "a", " "};
  Name wide;  // 200 CJK ideographs: more distinct characters than a query has positions
  for (gunichar c = 0x4E00; c < 0x4E00 + 200; ++c) {
    char utf8[6];
    wide.push_back(std::string(utf8, g_unichar_to_utf8(c, utf8)));
  }
  wide.insert(wide.end(), {"a", "B", " "});
  Name bytes;
  for (int byte = 0; byte < 256; ++byte) bytes.push_back({static_cast<char>(byte)});
  bytes.insert(bytes.end(), accented.begin(), accented.end());
  alphabets_ = {ascii, few, accented, wide, bytes};
  alphabet_ = &alphabets_[0];
}

int NameGenerator::length() {
  switch (below(4)) {
    case 0:
      return below(4);  // empty or nearly
    case 1:
      return 55 + below(30);  // around 64 and 70
    default:
      return below(101);
  }
}

std::string NameGenerator::query() {
  alphabet_ = &alphabets_[below(alphabets_.size())];
  query_ = name(*alphabet_, length());
  return joined(query_);
}

std::string NameGenerator::row() {
  const Name& alphabet = *alphabet_;
  Name row;
  switch (below(5)) {
    case 0:
      row = name(alphabet, length());
      break;
    case 1:
      row = name(alphabets_[below(alphabets_.size())], length());
      break;
    case 2:
      row = name(alphabet, below(12));
      row.insert(below(2) ? row.begin() : row.end(), query_.begin(), query_.end());
      break;
    case 3:
      row = name(alphabet, below(2) ? 1 + below(3) : 60 + below(40));
      break;
    default:
      row = query_;
      for (int edits = 1 + below(3); edits > 0; --edits) {
        const auto at = row.begin() + below(row.size() + 1);
        if (below(2) || at == row.end()) {
          row.insert(at, alphabet[below(alphabet.size())]);
        } else {
          row.erase(at);
        }
      }
  }
  return joined(row);
}

NameGenerator::Name NameGenerator::name(const Name& alphabet, int length) {
  Name out;
  while (length-- > 0) out.push_back(alphabet[below(alphabet.size())]);
  return out;
}

std::string NameGenerator::joined(const Name& name) {
  std::string out;
  for (const std::string& piece : name) out += piece;
  return out;
}
