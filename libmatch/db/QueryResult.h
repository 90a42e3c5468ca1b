// QueryResult: the streamed rows of the statement just sent on a handle. Owns the result
// and frees it when destroyed, so no path leaves rows pending on the handle; a connection
// lost while reading is recorded with the handle's CatalogueFault. Used by the thread that
// owns the handle.
#ifndef OSTREV_LIBMATCH_DB_QUERYRESULT_H_
#define OSTREV_LIBMATCH_DB_QUERYRESULT_H_

#include <mysql.h>

#include "db/CatalogueFault.h"

class QueryResult {
 public:
  // Takes the pending result with mysql_use_result; empty when the statement failed.
  explicit QueryResult(st_mysql* handle) : handle_(handle), result_(mysql_use_result(handle)) {}
  ~QueryResult() {
    if (result_ != nullptr) mysql_free_result(result_);
  }
  QueryResult(const QueryResult&) = delete;
  QueryResult& operator=(const QueryResult&) = delete;

  bool ok() const { return result_ != nullptr; }

  // The next row, or null after the last or when reading failed; SQL NULL fields are null
  // pointers.
  MYSQL_ROW next() {
    if (result_ == nullptr) return nullptr;
    MYSQL_ROW row = mysql_fetch_row(result_);
    if (row == nullptr) noteCatalogueError(handle_);
    return row;
  }

  // The byte lengths of the fields of the row next() returned last (fields may hold NULs).
  const unsigned long* lengths() const {
    return result_ != nullptr ? mysql_fetch_lengths(result_) : nullptr;
  }

  unsigned int fieldCount() const { return result_ != nullptr ? mysql_num_fields(result_) : 0; }

  // Rows read so far (all of them once next() has returned null).
  unsigned long long rowCount() const {
    return result_ != nullptr ? mysql_num_rows(result_) : 0;
  }

 private:
  st_mysql* handle_;
  MYSQL_RES* result_;
};

#endif  // OSTREV_LIBMATCH_DB_QUERYRESULT_H_
