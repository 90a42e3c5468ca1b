// RowText: the rows of one table gathered as text for the database, either as the
// tab-separated lines LOAD DATA reads or as the parenthesised tuples of a multi-row INSERT.
// Owns its text; one thread at a time (it may be moved to another).
#ifndef OSTREV_TOOLS_IMPORT_ROW_TEXT_H_
#define OSTREV_TOOLS_IMPORT_ROW_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include <mysql.h>

class RowText {
 public:
  enum Format {
    kTabSeparated,  // LOAD DATA's defaults: '\t' between fields, '\n' after rows, '\' escapes
    kSqlValues,     // "(1,'a',NULL),(2,'b',NULL)"
  };

  // `handle` escapes the literals of kSqlValues for its character set; unused otherwise.
  RowText(Format format, st_mysql* handle) : format_(format), handle_(handle) {}

  void text(const std::string& value);
  // An empty value is stored as NULL.
  void textOrNull(const std::string& value) { value.empty() ? null() : text(value); }
  void number(uint64_t value);
  void null();
  void endRow();

  Format format() const { return format_; }
  const std::string& data() const { return data_; }
  size_t rows() const { return rows_; }
  bool empty() const { return rows_ == 0; }

  // Forgets the rows, keeping the format.
  void clear();

 private:
  // Starts the row or separates the field from the one before.
  void beginField();

  Format format_;
  st_mysql* handle_;
  std::string data_;
  size_t rows_ = 0;
  bool inRow_ = false;
};

#endif  // OSTREV_TOOLS_IMPORT_ROW_TEXT_H_
