#include "text/Normalize.h"

#include <glib.h>

#include <boost/regex.hpp>

#include "text/LowerCase.h"

namespace {

// Kept in step with UNKNOWN_LIST.
const char* const kPlaceholderNames[] = {"Unknown", "Unknown Artist", "Unknown Artists",
                                         "Various", "Various Artists"};

}  // namespace

const char* UNKNOWN_LIST =
    " ( 'Unknown', 'Unknown Artist', 'Unknown Artists', 'Various', 'Various Artists' ) ";

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

bool is_unknown(std::string name) {
  for (const char* placeholder : kPlaceholderNames) {
    if (name == placeholder) return true;
  }
  return false;
}
