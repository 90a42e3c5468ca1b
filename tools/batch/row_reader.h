// RowReader: the rows of ostrev-batch's input in one format, each read into a Row. A reader
// borrows the InputLines it reads; one thread.
#ifndef OSTREV_TOOLS_BATCH_ROW_READER_H_
#define OSTREV_TOOLS_BATCH_ROW_READER_H_

#include <memory>
#include <string>
#include <vector>

#include "tools/batch/formats.h"
#include "tools/batch/input_lines.h"
#include "tools/batch/row.h"

class RowReader {
 public:
  virtual ~RowReader() = default;

  // The input's columns: a table's header, or the keys of a JSON Lines input's first
  // object.
  const std::vector<std::string>& columns() const { return columns_; }

  // The next row; false at the end of the input or when reading failed (the lines' problem
  // says so). Empty lines are no rows.
  virtual bool next(Row* row) = 0;

 protected:
  std::vector<std::string> columns_;
};

// The reader of `format` over `lines`, its header read. Null, with `*problem`, when the
// header is missing or unusable.
std::unique_ptr<RowReader> openRowReader(Format format, InputLines& lines, std::string* problem);

#endif  // OSTREV_TOOLS_BATCH_ROW_READER_H_
