#include "tools/batch/row.h"

#include <glib.h>

#include <cstring>

std::string cellText(const nlohmann::ordered_json& value) {
  if (value.is_null()) return "";
  if (value.is_string()) return value.get_ref<const std::string&>();
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string inputText(const Row& row, size_t index, const std::string& name) {
  if (row.input.is_array()) return index < row.input.size() ? cellText(row.input[index]) : "";
  auto found = row.input.find(name);
  return found == row.input.end() ? "" : cellText(*found);
}

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
