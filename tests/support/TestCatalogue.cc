#include "support/TestCatalogue.h"

#include <algorithm>
#include <vector>

bool openTestConnection(Connection& connection) {
  return openTestDatabase(connection, kTestDatabase);
}

bool openTestDatabase(Connection& connection, const char* database) {
  connection.setDB("localhost", kTestUser, kTestPassword, database);
  return connection.init();
}

std::string pendingRows(MYSQL* handle, bool sorted) {
  MYSQL_RES* result = mysql_use_result(handle);
  if (result == nullptr) return "<no result>";
  std::vector<std::string> rows;
  unsigned int fields = mysql_num_fields(result);
  while (MYSQL_ROW row = mysql_fetch_row(result)) {
    std::string text;
    for (unsigned int i = 0; i < fields; ++i) {
      if (i > 0) text += "|";
      text += row[i] != nullptr ? row[i] : "NULL";
    }
    rows.push_back(text);
  }
  mysql_free_result(result);
  if (sorted) std::sort(rows.begin(), rows.end());
  std::string joined;
  for (const std::string& row : rows) joined += (joined.empty() ? "" : ";") + row;
  return joined;
}

std::string firstValue(MYSQL* handle, const std::string& statement) {
  if (mysql_real_query(handle, statement.data(), statement.size()) != 0) return "<error>";
  MYSQL_RES* result = mysql_use_result(handle);
  if (result == nullptr) return "<error>";
  std::string value = "<none>";
  MYSQL_ROW row = mysql_fetch_row(result);
  if (row != nullptr) {
    unsigned long* lengths = mysql_fetch_lengths(result);
    value = row[0] != nullptr ? std::string(row[0], lengths[0]) : "<NULL>";
    while (mysql_fetch_row(result) != nullptr) {
    }
  }
  mysql_free_result(result);
  return value;
}
