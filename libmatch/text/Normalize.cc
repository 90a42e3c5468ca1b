#include "text/Normalize.h"

#include <glib.h>

#include <iterator>
#include <string>

#include <boost/regex.hpp>

#include "text/LowerCase.h"

namespace {

// The placeholder artist names: is_unknown and UNKNOWN_LIST both follow this list.
constexpr const char* kPlaceholderNames[] = {"Unknown", "Unknown Artist", "Unknown Artists",
                                             "Various", "Various Artists"};

constexpr const char kListOpen[] = " ( '";
constexpr const char kListSeparator[] = "', '";
constexpr const char kListClose[] = "' ) ";

constexpr size_t textLength(const char* text) { return std::char_traits<char>::length(text); }

constexpr size_t sqlListLength() {
  size_t length = textLength(kListOpen) + textLength(kListClose);
  for (const char* name : kPlaceholderNames) length += textLength(name);
  return length + (std::size(kPlaceholderNames) - 1) * textLength(kListSeparator);
}

// The list is built at compile time, so UNKNOWN_LIST is ready before any static
// initializer could read it, as a literal would be.
struct SqlList {
  char text[sqlListLength() + 1];
};

constexpr size_t append(SqlList* list, size_t at, const char* text) {
  while (*text != '\0') list->text[at++] = *text++;
  return at;
}

constexpr SqlList placeholderSqlList() {
  SqlList list{};
  size_t at = append(&list, 0, kListOpen);
  for (size_t i = 0; i < std::size(kPlaceholderNames); ++i) {
    if (i > 0) at = append(&list, at, kListSeparator);
    at = append(&list, at, kPlaceholderNames[i]);
  }
  append(&list, at, kListClose);
  return list;
}

constexpr SqlList kPlaceholderSqlList = placeholderSqlList();

}  // namespace

const char* UNKNOWN_LIST = kPlaceholderSqlList.text;

char* normalize(const char* text) {
  // Compiled once; matching with a shared const regex is safe from any thread.
  static const boost::regex kLeadingThe("^the ");
  static const boost::regex kLeadingA("^a ");
  const std::string lower = lowerCase(text ? text : "");
  const std::string result =
      boost::regex_replace(boost::regex_replace(lower, kLeadingThe, ""), kLeadingA, "");
  return g_strdup(result.c_str());
}

std::string normalizeName(std::string* name, bool featuring) {
  std::list<std::string> tokens = splitToTokens(name);
  processTokens(&tokens, featuring);
  return joinTokens(&tokens);
}

const std::vector<std::string>& placeholderArtistNames() {
  static const std::vector<std::string> names(std::begin(kPlaceholderNames),
                                              std::end(kPlaceholderNames));
  return names;
}

bool is_unknown(std::string name) {
  for (const char* placeholder : kPlaceholderNames) {
    if (name == placeholder) return true;
  }
  return false;
}
