// RecordSource: the records of a table input (TSV or CSV), each split into its fields, for
// the table reader to check against the header. Borrows the lines it reads; one thread.
#ifndef OSTREV_TOOLS_BATCH_RECORD_SOURCE_H_
#define OSTREV_TOOLS_BATCH_RECORD_SOURCE_H_

#include <string>
#include <vector>

struct Record {
  long long line = 0;  // where the record starts
  std::vector<std::string> fields;
  std::string problem;  // why the record could not be split; its fields are then empty
};

class RecordSource {
 public:
  virtual ~RecordSource() = default;

  // The next record, empty lines skipped; false at the end of the input or when reading
  // failed.
  virtual bool next(Record* record) = 0;
};

#endif  // OSTREV_TOOLS_BATCH_RECORD_SOURCE_H_
