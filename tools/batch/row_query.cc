#include "tools/batch/row_query.h"

#include <glib.h>

#include <cstring>

std::string queryProblem(const RowQuery& query) {
  for (const QueryColumn& column : kQueryColumns) {
    const std::string& text = query.*column.field;
    if (text.size() > kMaxQueryFieldBytes) {
      return std::string(column.name) + " is " + std::to_string(text.size()) + " bytes, at most " +
             std::to_string(kMaxQueryFieldBytes);
    }
    if (memchr(text.data(), '\0', text.size()) != nullptr) {
      return std::string(column.name) + " holds a NUL character";
    }
  }
  return "";
}

bool validText(const std::string& text) {
  return g_utf8_validate_len(text.data(), text.size(), nullptr);
}
