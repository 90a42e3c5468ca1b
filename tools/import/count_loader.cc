#include "tools/import/count_loader.h"

#include <unordered_set>

#include "db/Query.h"
#include "db/QueryResult.h"
#include "tools/import/catalogue_tables.h"

namespace {

constexpr const char* kCaller = "ostrev-import";

bool loadFirsts(RowLoader& loader, st_mysql* handle, const NameCountTotals::Table& table,
                const std::string& name, std::string* error) {
  RowText rows(RowLoader::formatOf(loader.method()), handle);
  for (const auto& entry : table.inOrder) {
    table.addRow(entry, &rows);
    if (rows.data().size() >= kChunkBytes) {
      if (!loader.loadKeepingFirst(name, table.columns, rows, error)) return false;
      rows.clear();
    }
  }
  return rows.empty() || loader.loadKeepingFirst(name, table.columns, rows, error);
}

// The names `table` holds, byte for byte.
bool storedNames(st_mysql* handle, const std::string& table, const char* columns,
                 std::unordered_set<std::string>* names, std::string* error) {
  std::string column = std::string(columns).substr(0, std::string(columns).find(','));
  if (!doQuery(handle, "select " + column + " from `" + table + "`", kCaller)) {
    *error = mysql_error(handle);
    return false;
  }
  QueryResult result(handle);
  while (MYSQL_ROW row = result.next()) {
    if (row[0] != nullptr) names->emplace(row[0]);
  }
  if (mysql_errno(handle) == 0) return true;
  *error = mysql_error(handle);
  return false;
}

}  // namespace

bool loadNameCounts(st_mysql* handle, RowLoader::Method method, const NameCountTotals& totals,
                    const std::string& tableSuffix, std::string* error) {
  RowLoader loader(handle, method);
  std::vector<std::unordered_set<std::string>> stored(totals.tables().size());
  for (size_t t = 0; t < totals.tables().size(); ++t) {
    const NameCountTotals::Table& table = totals.tables()[t];
    std::string name = table.name + tableSuffix;
    if (!loadFirsts(loader, handle, table, name, error) ||
        !storedNames(handle, name, table.columns, &stored[t], error)) {
      return false;
    }
  }
  // A name not stored as it is had a collation-equal one before it.
  auto skipped = [&](const NameCountTotals::Table& table, const std::string& name) {
    return stored[&table - &totals.tables()[0]].count(name) == 0;
  };
  for (const std::string& statement : totals.statements(handle, tableSuffix, skipped)) {
    if (!loader.run(statement, error)) return false;
  }
  return true;
}
