#include "tools/import/staged_catalogue.h"

#include <sstream>

#include "db/Query.h"
#include "db/QueryResult.h"
#include "tools/import/catalogue_tables.h"

namespace {

constexpr const char* kCaller = "ostrev-import";

std::string oldOf(const std::string& table) { return table + "__old"; }

// The backquoted name at the start of `text`, as written ("``" stands for one '`').
std::string quotedName(const std::string& text) {
  if (text.empty() || text[0] != '`') return "";
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '`') continue;
    if (i + 1 < text.size() && text[i + 1] == '`') {
      ++i;
      continue;
    }
    return text.substr(0, i + 1);
  }
  return "";
}

}  // namespace

StagedCatalogue::~StagedCatalogue() {
  if (created_) dropCopies();
}

std::string StagedCatalogue::copyOf(const std::string& table) { return table + "__import"; }

bool StagedCatalogue::run(const std::string& statement, std::string* error) {
  if (doQuery(handle_, statement, kCaller)) return true;
  *error = mysql_error(handle_);
  return false;
}

void StagedCatalogue::dropCopies() {
  std::string tables;
  for (const char* table : kCatalogueTables) {
    tables += (tables.empty() ? "`" : ", `") + copyOf(table) + "`, `" + oldOf(table) + "`";
  }
  doQuery(handle_, "drop table if exists " + tables, kCaller);
}

bool StagedCatalogue::readPlainKeys(const std::string& table, std::string* dropKeys,
                                    std::string* error) {
  if (!run("show create table `" + copyOf(table) + "`", error)) return false;
  QueryResult result(handle_);
  MYSQL_ROW row = result.next();
  if (row == nullptr || row[1] == nullptr) {
    *error = "no definition of table " + copyOf(table);
    return false;
  }
  // The server writes one key per line; unique, full-text and primary keys stay, since
  // they either check the rows or are cheap to keep.
  const std::string plainKey = "  KEY ";
  std::istringstream definition(row[1]);
  std::string line;
  std::string& addKeys = addKeys_[table];
  while (std::getline(definition, line)) {
    if (line.compare(0, plainKey.size(), plainKey) != 0) continue;
    if (!line.empty() && line.back() == ',') line.pop_back();
    std::string name = quotedName(line.substr(plainKey.size()));
    if (name.empty()) continue;
    addKeys += (addKeys.empty() ? "add " : ", add ") + line.substr(2);
    *dropKeys += (dropKeys->empty() ? "drop key " : ", drop key ") + name;
  }
  return true;
}

bool StagedCatalogue::create(std::string* error) {
  dropCopies();
  created_ = true;
  for (const char* table : kCatalogueTables) {
    std::string dropKeys;
    if (!run("create table `" + copyOf(table) + "` like `" + std::string(table) + "`", error) ||
        !readPlainKeys(table, &dropKeys, error)) {
      return false;
    }
    if (!dropKeys.empty() && !run("alter table `" + copyOf(table) + "` " + dropKeys, error)) {
      return false;
    }
  }
  return true;
}

std::string StagedCatalogue::restoreKeys(const std::string& table) const {
  auto found = addKeys_.find(table);
  if (found == addKeys_.end() || found->second.empty()) return "";
  // Nothing else writes to the copy, so the server need not log concurrent changes.
  return "alter table `" + copyOf(table) + "` " + found->second + ", lock=shared";
}

bool StagedCatalogue::swap(std::string* error) {
  std::string renames;
  std::string olds;
  for (const char* table : kCatalogueTables) {
    renames += std::string(renames.empty() ? "" : ", ") + "`" + table + "` to `" +
               oldOf(table) + "`, `" + copyOf(table) + "` to `" + table + "`";
    olds += (olds.empty() ? "`" : ", `") + oldOf(table) + "`";
  }
  if (!run("rename table " + renames, error)) return false;
  created_ = false;
  return run("drop table " + olds, error);
}
