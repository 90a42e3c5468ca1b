// JsonLinesReader: the rows of a JSON Lines input, one object a line. The query is read
// from the object's keys artist, album, title, isrc and upc (strings, numbers or null); the
// columns are the keys of the first object. Borrows its lines; one thread.
#ifndef OSTREV_TOOLS_BATCH_JSONL_READER_H_
#define OSTREV_TOOLS_BATCH_JSONL_READER_H_

#include <memory>

#include "tools/batch/input_lines.h"
#include "tools/batch/row_reader.h"

class JsonLinesReader : public RowReader {
 public:
  // Reads the first row ahead, for its keys.
  explicit JsonLinesReader(InputLines& lines);
  bool next(InputRow* row) override;

 private:
  // The next row without its fields, which depend on the columns.
  bool read(InputRow* row);
  void fillFields(InputRow* row) const;

  InputLines& lines_;
  std::unique_ptr<InputRow> first_;
};

#endif  // OSTREV_TOOLS_BATCH_JSONL_READER_H_
