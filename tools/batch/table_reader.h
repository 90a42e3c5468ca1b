// TableReader: a TSV or CSV input: a header naming the columns, then one record a row,
// checked against the header and read into its query. TSV has a record a line, fields
// split at every tab, no quoting. CSV quotes as RFC 4180 says, strictly: a record goes on
// over the next line while a quoted field is open, and is split by libcsv; spaces around
// fields are kept. A '\r' before a record's end is dropped. Borrows its lines, owns its
// parser; one thread.
#ifndef OSTREV_TOOLS_BATCH_TABLE_READER_H_
#define OSTREV_TOOLS_BATCH_TABLE_READER_H_

#include <memory>
#include <string>
#include <vector>

#include "tools/batch/row_reader.h"

struct csv_parser;

class TableReader : public RowReader {
 public:
  TableReader(InputLines& lines, bool csv);

  // Reads the header. False, with `*problem`, when there is none, it cannot be split, names
  // none of the query columns or one of them twice.
  bool readHeader(std::string* problem);

  bool next(Row* row) override;

 private:
  struct Record {
    long long line = 0;  // where the record starts; 0 before it has
    std::vector<std::string> fields;
    std::string problem;  // why the record could not be split; its fields are then empty
  };
  struct ParserFree {
    void operator()(csv_parser* parser) const;
  };

  // The next record, empty lines skipped; false at the end of the input or when reading
  // failed.
  bool nextRecord(Record* record);
  void splitCsv(const std::string& text, Record* record);
  void newParser();

  InputLines& lines_;
  std::unique_ptr<csv_parser, ParserFree> parser_;  // CSV only
  int queryIndex_[kQueryColumnCount];               // the column of each query field, or -1
};

// Whether a CSV record that was inside a quoted value before `line` still is after it:
// then the record goes on over the next line.
bool csvInsideQuotes(bool before, const std::string& line);

#endif  // OSTREV_TOOLS_BATCH_TABLE_READER_H_
