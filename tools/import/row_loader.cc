#include "tools/import/row_loader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <errmsg.h>
#include <mysqld_error.h>

#include "db/Query.h"

namespace {

constexpr const char* kCaller = "ostrev-import";

// What the client library's LOCAL INFILE callbacks read from: the rows in memory.
struct InfileSource {
  const char* next;
  size_t left;
};

int infileInit(void** state, const char* /*fileName*/, void* source) {
  *state = source;
  return 0;
}

int infileRead(void* state, char* buffer, unsigned int size) {
  InfileSource* source = static_cast<InfileSource*>(state);
  size_t count = std::min<size_t>(size, source->left);
  memcpy(buffer, source->next, count);
  source->next += count;
  source->left -= count;
  return static_cast<int>(count);
}

void infileEnd(void* /*state*/) {}

// Reading from memory cannot fail, so the library never asks for a reason.
int infileError(void* /*state*/, char* message, unsigned int size) {
  snprintf(message, size, "reading the rows failed");
  return CR_UNKNOWN_ERROR;
}

bool databaseError(st_mysql* handle, std::string* error) {
  *error = mysql_error(handle);
  return false;
}

// What a server with local_infile off answers; older servers say ER_NOT_ALLOWED_COMMAND.
bool refusesInfile(unsigned int code) {
  return code == ER_LOAD_INFILE_CAPABILITY_DISABLED || code == ER_NOT_ALLOWED_COMMAND;
}

}  // namespace

bool RowLoader::loadInfile(const std::string& table, const char* columns,
                           const std::string& data, std::string* error) {
  InfileSource source{data.data(), data.size()};
  mysql_set_local_infile_handler(handle_, infileInit, infileRead, infileEnd, infileError,
                                 &source);
  // The file name is not read: the callbacks serve the rows.
  std::string statement = "load data local infile 'rows' into table `" + table +
                          "` character set utf8mb4 fields terminated by '\\t' escaped by '\\\\'"
                          " lines terminated by '\\n' (" + columns + ")";
  bool loaded = doQuery(handle_, statement, kCaller);
  mysql_set_local_infile_default(handle_);
  return loaded || databaseError(handle_, error);
}

bool RowLoader::load(const std::string& table, const char* columns, const RowText& rows,
                     std::string* error) {
  if (method_ == kInsert) {
    return run("insert into `" + table + "` (" + columns + ") values " + rows.data(), error);
  }
  if (!loadInfile(table, columns, rows.data(), error)) return false;
  // LOAD DATA LOCAL cannot stop the client mid-file, so the server skips a row it cannot
  // store and warns instead of failing; the importer holds it to INSERT's standard.
  my_ulonglong stored = mysql_affected_rows(handle_);
  unsigned int warnings = mysql_warning_count(handle_);
  if (stored == rows.rows() && warnings == 0) return true;
  *error = "loading " + table + " stored " + std::to_string(stored) + " of " +
           std::to_string(rows.rows()) + " rows, with " + std::to_string(warnings) +
           " warnings";
  return false;
}

bool RowLoader::run(const std::string& statement, std::string* error) {
  return doQuery(handle_, statement, kCaller) || databaseError(handle_, error);
}

bool RowLoader::infileAllowed(const std::string& table, const char* columns, bool* allowed,
                              std::string* error) {
  *allowed = loadInfile(table, columns, "", error);
  return *allowed || refusesInfile(mysql_errno(handle_));
}
