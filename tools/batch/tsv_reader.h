// TsvReader: a TSV input, one record a line, fields split at every tab, a trailing '\r'
// dropped. No quoting: a value cannot hold a tab or a newline. Borrows its lines; one
// thread.
#ifndef OSTREV_TOOLS_BATCH_TSV_READER_H_
#define OSTREV_TOOLS_BATCH_TSV_READER_H_

#include "tools/batch/table_reader.h"

class TsvReader : public TableReader {
 public:
  explicit TsvReader(InputLines& lines) : lines_(lines) {}

 private:
  bool nextRecord(Record* record) override;

  InputLines& lines_;
};

#endif  // OSTREV_TOOLS_BATCH_TSV_READER_H_
