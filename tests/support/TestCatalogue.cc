#include "support/TestCatalogue.h"

bool openTestConnection(Connection& connection) {
  connection.setDB("localhost", kTestUser, kTestPassword, kTestDatabase);
  return connection.init();
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
