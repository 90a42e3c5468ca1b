// TsvRecords: the records of a TSV input, one a line, fields split at every tab, a
// trailing '\r' dropped. No quoting: a value cannot hold a tab or a newline. One thread.
#ifndef OSTREV_TOOLS_BATCH_TSV_RECORDS_H_
#define OSTREV_TOOLS_BATCH_TSV_RECORDS_H_

#include "tools/batch/input_lines.h"
#include "tools/batch/record_source.h"

class TsvRecords : public RecordSource {
 public:
  explicit TsvRecords(InputLines& lines) : lines_(lines) {}
  bool next(Record* record) override;

 private:
  InputLines& lines_;
};

#endif  // OSTREV_TOOLS_BATCH_TSV_RECORDS_H_
