#include "db/Query.h"

#include <iostream>

#include "db/CatalogueFault.h"

namespace {

bool debugQueries = false;
bool useTripletsTable = false;
std::string& tripletsTable() {
  static std::string table = "triplets_disk";
  return table;
}

}  // namespace

bool doQuery(st_mysql* handle, std::string query, std::string caller) {
  if (debugQueries) {
    std::cerr << "Query::" << caller << ", query is:\n" << query << std::endl;
  }
  CatalogueFault* fault = CatalogueFault::of(handle);
  if (fault != nullptr && fault->stopsStatements()) {
    if (debugQueries) {
      std::cerr << "Query::" << caller << ", not sent: catalogue unreachable [ "
                << fault->reason() << " ]" << std::endl;
    }
    return false;
  }
  if (mysql_real_query(handle, query.data(), query.size()) == 0) return true;
  if (fault != nullptr) fault->noteError(handle);
  if (debugQueries) {
    std::cerr << "Query::" << caller << ", mysql_query failed with error message [ "
              << mysql_error(handle) << " ]" << std::endl;
  }
  return false;
}

std::string escapeString(st_mysql* handle, const std::string& text) {
  std::string escaped(text.size() * 2 + 1, '\0');
  unsigned long length = mysql_real_escape_string(handle, &escaped[0], text.data(), text.size());
  // (unsigned long)-1 reports a failure: send an empty literal rather than unescaped text.
  escaped.resize(length < escaped.size() ? length : 0);
  return escaped;
}

void setDebugQueries(bool on) { debugQueries = on; }

void setUseTripletsTable(bool useTriplets, bool mainTable) {
  useTripletsTable = useTriplets;
  if (!useTriplets) return;
  if (mainTable) {
    tripletsTable() = "triplets";
    std::cout << "triplets mode" << std::endl;
  } else {
    tripletsTable() = "triplets_disk";
    std::cout << "triplets-disk mode" << std::endl;
  }
}

bool getUseTripletsTable() { return useTripletsTable; }

const std::string& getTripletsTable() { return tripletsTable(); }
