// TableReader: the rows of a TSV or CSV input: a header naming the columns, then one record
// a row, checked against the header and read into its query. Owns its record source;
// one thread.
#ifndef OSTREV_TOOLS_BATCH_TABLE_READER_H_
#define OSTREV_TOOLS_BATCH_TABLE_READER_H_

#include <memory>
#include <string>

#include "tools/batch/record_source.h"
#include "tools/batch/row_reader.h"

class TableReader : public RowReader {
 public:
  // Reads the header from `records`. Null, with `*problem`, when there is none, it cannot be
  // split, names none of the query columns or one of them twice.
  static std::unique_ptr<TableReader> open(std::unique_ptr<RecordSource> records,
                                           const std::string& inputName, std::string* problem);

  bool next(InputRow* row) override;

 private:
  explicit TableReader(std::unique_ptr<RecordSource> records) : records_(std::move(records)) {}

  std::unique_ptr<RecordSource> records_;
  int queryIndex_[kQueryColumnCount];  // the column of each query field, or -1
};

#endif  // OSTREV_TOOLS_BATCH_TABLE_READER_H_
