// RowWriter: the bytes of ostrev-batch's output in one format: the header, then a row for
// each input row: its input columns, its answer's result columns and its status.
// Immutable; one thread.
#ifndef OSTREV_TOOLS_BATCH_ROW_WRITER_H_
#define OSTREV_TOOLS_BATCH_ROW_WRITER_H_

#include <string>
#include <vector>

#include "tools/batch/formats.h"
#include "tools/batch/request_kind.h"

class RowWriter {
 public:
  // For rows with `inputColumns` and answers with `resultColumns` (the status follows).
  RowWriter(Format format, std::vector<std::string> inputColumns,
            std::vector<std::string> resultColumns);

  // What the output starts with, ended by its newline; "" when nothing.
  std::string header() const;

  // One row, ended by '\n' (the only newline in a row of TSV and JSON Lines).
  std::string row(const Row& row, const Answer& answer) const;

 private:
  std::string tableLine(const std::vector<std::string>& values) const;
  std::string jsonLine(const Row& row, const Answer& answer) const;

  const Format format_;
  const std::vector<std::string> inputColumns_;
  const std::vector<std::string> resultColumns_;
};

// A value as one TSV field: no quoting, so a tab, '\r' or '\n' in it is written as a space.
std::string tsvField(const std::string& value);

// A value as one CSV field, quoted when it needs it (RFC 4180).
std::string csvField(const std::string& value);

#endif  // OSTREV_TOOLS_BATCH_ROW_WRITER_H_
