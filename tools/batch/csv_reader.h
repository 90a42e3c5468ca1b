// CsvReader: a CSV input (RFC 4180 quoting, strictly): a record goes on over the next line
// while a quoted field is open, and is split by libcsv. Spaces around fields are kept; a
// '\r' before a record's end is dropped. Borrows its lines, owns its parser; one thread.
#ifndef OSTREV_TOOLS_BATCH_CSV_READER_H_
#define OSTREV_TOOLS_BATCH_CSV_READER_H_

#include <memory>
#include <string>

#include "tools/batch/table_reader.h"

struct csv_parser;

class CsvReader : public TableReader {
 public:
  explicit CsvReader(InputLines& lines);

 private:
  struct ParserFree {
    void operator()(csv_parser* parser) const;
  };

  bool nextRecord(Record* record) override;
  // Splits the text of one whole record into its fields.
  void split(const std::string& text, Record* record);
  void newParser();

  InputLines& lines_;
  std::unique_ptr<csv_parser, ParserFree> parser_;
};

// Whether a record that was inside a quoted value before `line` still is after it: then
// the record goes on over the next line.
bool csvInsideQuotes(bool before, const std::string& line);

#endif  // OSTREV_TOOLS_BATCH_CSV_READER_H_
