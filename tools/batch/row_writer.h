// RowWriter: the bytes of ostrev-batch's output in one format: the header, then a row for
// each input row: its input columns and its answer's result columns and status. TSV has no
// quoting, so a tab, '\r' or '\n' inside a value is written as a space; CSV quotes a value
// that needs it (RFC 4180); JSON Lines writes text that is not UTF-8 with U+FFFD in its
// place. Immutable; one thread.
#ifndef OSTREV_TOOLS_BATCH_ROW_WRITER_H_
#define OSTREV_TOOLS_BATCH_ROW_WRITER_H_

#include <memory>
#include <string>
#include <vector>

#include "tools/batch/answer.h"
#include "tools/batch/formats.h"
#include "tools/batch/row.h"

class RowWriter {
 public:
  virtual ~RowWriter() = default;

  // What the output starts with, ended by its newline; "" when nothing.
  virtual std::string header() const = 0;

  // One row, ended by '\n' (the only newline in a row of TSV and JSON Lines).
  virtual std::string row(const Row& row, const Answer& answer) const = 0;
};

// A writer of `format` for rows with `inputColumns` and answers with `resultColumns`
// (the status column follows them).
std::unique_ptr<RowWriter> makeRowWriter(Format format, std::vector<std::string> inputColumns,
                                         std::vector<std::string> resultColumns);

// A value as one TSV field / one CSV field.
std::string tsvField(const std::string& value);
std::string csvField(const std::string& value);

#endif  // OSTREV_TOOLS_BATCH_ROW_WRITER_H_
