// RowLoader: sends the rows gathered in a RowText into one table over a borrowed
// connection, by LOAD DATA LOCAL INFILE streamed from memory or by a multi-row INSERT, and
// runs plain statements; each failure comes back as the text to report. The thread that
// owns the connection.
#ifndef OSTREV_TOOLS_IMPORT_ROW_LOADER_H_
#define OSTREV_TOOLS_IMPORT_ROW_LOADER_H_

#include <string>

#include <mysql.h>

#include "tools/import/row_text.h"

class RowLoader {
 public:
  enum Method {
    kInfile,  // rows as RowText::kTabSeparated
    kInsert,  // rows as RowText::kSqlValues
  };

  RowLoader(st_mysql* handle, Method method) : handle_(handle), method_(method) {}

  Method method() const { return method_; }

  static RowText::Format formatOf(Method method) {
    return method == kInfile ? RowText::kTabSeparated : RowText::kSqlValues;
  }

  // Stores every row of `rows` (in this loader's format) in `table`, the columns named
  // as in TableLayout. False, with `error` set, unless the server stored them all
  // without a warning.
  bool load(const std::string& table, const char* columns, const RowText& rows,
            std::string* error);

  bool run(const std::string& statement, std::string* error);

  // Whether LOAD DATA LOCAL INFILE works here, found by loading no rows into `table`.
  // False with `error` set when the attempt failed for another reason.
  bool infileAllowed(const std::string& table, const char* columns, bool* allowed,
                     std::string* error);

 private:
  bool loadInfile(const std::string& table, const char* columns, const std::string& data,
                  std::string* error);

  st_mysql* handle_;
  Method method_;
};

#endif  // OSTREV_TOOLS_IMPORT_ROW_LOADER_H_
