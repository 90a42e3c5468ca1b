#include "client/query_file.h"

#include <cstring>
#include <string>

namespace {

struct KeyedField {
  const char* key;
  char (lookup_query::*field)[200];
};

constexpr KeyedField kKeyedFields[] = {
    {"Song", &lookup_query::track}, {"Album", &lookup_query::album},
    {"Artist", &lookup_query::artist}, {"ISRC", &lookup_query::isrc},
    {"UPC", &lookup_query::upc},
};

void setField(lookup_query* query, const std::string& key, const std::string& value) {
  for (const KeyedField& keyed : kKeyedFields) {
    if (key == keyed.key) {
      setQueryField(query->*keyed.field, sizeof(query->*keyed.field), value);
      return;
    }
  }
}

}  // namespace

void read_query_file(FILE* file, lookup_query* query) {
  for (const KeyedField& keyed : kKeyedFields) {
    setQueryField(query->*keyed.field, sizeof(query->*keyed.field), "");
  }

  // Song description files have always been read through a 1024-byte line buffer, and
  // some rely on it: an overlong line is read as several lines, each parsed on its own.
  char line[1024];
  while (fgets(line, sizeof(line), file) != nullptr) {
    size_t length = strlen(line);
    if (length > 0 && line[length - 1] == '\n') --length;
    const char* bar = static_cast<const char*>(memchr(line, '|', length));
    if (bar == nullptr) continue;
    size_t keyLength = bar - line;
    setField(query, std::string(line, keyLength),
             std::string(bar + 1, length - keyLength - 1));
  }
}
