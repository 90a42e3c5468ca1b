// RowReader: the rows of ostrev-batch's input, whatever its format, each with its line,
// the values it carries to the output, its query and why it cannot be sent, if it cannot.
// A reader borrows the InputLines it reads; one thread.
#ifndef OSTREV_TOOLS_BATCH_ROW_READER_H_
#define OSTREV_TOOLS_BATCH_ROW_READER_H_

#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "tools/batch/formats.h"
#include "tools/batch/input_lines.h"
#include "tools/batch/row_query.h"

// The most columns a table's header, and keys a JSON line, may have: objects keep their
// keys in order and are searched key by key.
constexpr size_t kMaxColumns = 1000;

struct InputRow {
  long long line = 0;                                    // where the row starts
  std::vector<std::string> fields;                       // one per column of the reader
  std::shared_ptr<const nlohmann::ordered_json> object;  // JSON Lines: the object read, or {}
  RowQuery query;
  std::string problem;  // "" when the row can be sent
};

class RowReader {
 public:
  virtual ~RowReader() = default;

  // The input's columns: a table's header, or the keys of a JSON Lines input's first
  // object.
  const std::vector<std::string>& columns() const { return columns_; }

  // The next row; false at the end of the input or when reading failed (the lines' problem
  // says so). Empty lines are no rows.
  virtual bool next(InputRow* row) = 0;

 protected:
  std::vector<std::string> columns_;
};

// A reader of `format` over `lines`, its header read. Null, with `*problem`, when the
// header is missing or unusable.
std::unique_ptr<RowReader> openRowReader(Format format, InputLines& lines, std::string* problem);

#endif  // OSTREV_TOOLS_BATCH_ROW_READER_H_
