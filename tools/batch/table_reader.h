// TableReader: what TSV and CSV share: a header naming the columns, then one record a row,
// checked against the header and read into its query. A format supplies the records. One
// thread.
#ifndef OSTREV_TOOLS_BATCH_TABLE_READER_H_
#define OSTREV_TOOLS_BATCH_TABLE_READER_H_

#include <string>
#include <vector>

#include "tools/batch/row_reader.h"

class TableReader : public RowReader {
 public:
  // Reads the header. False, with `*problem`, when there is none, it cannot be split, names
  // none of the query columns or one of them twice.
  bool readHeader(const std::string& inputName, std::string* problem);

  bool next(Row* row) override;

 protected:
  struct Record {
    long long line = 0;  // where the record starts
    std::vector<std::string> fields;
    std::string problem;  // why the record could not be split; its fields are then empty
  };

  // The next record, empty lines skipped; false at the end of the input or when reading
  // failed.
  virtual bool nextRecord(Record* record) = 0;

 private:
  int queryIndex_[kQueryColumnCount];  // the column of each query field, or -1
};

#endif  // OSTREV_TOOLS_BATCH_TABLE_READER_H_
