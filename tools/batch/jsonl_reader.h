// JsonLinesReader: a JSON Lines input, one object a line. The query is read from the
// object's keys artist, album, title, isrc and upc (strings, numbers or null); the columns
// are the keys of the first object. Borrows its lines; one thread.
#ifndef OSTREV_TOOLS_BATCH_JSONL_READER_H_
#define OSTREV_TOOLS_BATCH_JSONL_READER_H_

#include <optional>

#include "tools/batch/row_reader.h"

class JsonLinesReader : public RowReader {
 public:
  // Reads the first row ahead, for its keys.
  explicit JsonLinesReader(InputLines& lines);
  bool next(Row* row) override;

 private:
  bool read(Row* row);

  InputLines& lines_;
  std::optional<Row> first_;
};

#endif  // OSTREV_TOOLS_BATCH_JSONL_READER_H_
