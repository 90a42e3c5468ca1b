// TableWriter: TSV and CSV output. TSV has no quoting, so a tab, '\r' or '\n' inside a
// value is written as a space; CSV quotes a value that needs it (RFC 4180). Immutable.
#ifndef OSTREV_TOOLS_BATCH_TABLE_WRITER_H_
#define OSTREV_TOOLS_BATCH_TABLE_WRITER_H_

#include "tools/batch/row_writer.h"

class TableWriter : public RowWriter {
 public:
  TableWriter(bool csv, std::vector<std::string> inputColumns,
              std::vector<std::string> resultColumns)
      : csv_(csv),
        inputColumns_(std::move(inputColumns)),
        resultColumns_(std::move(resultColumns)) {}

  std::string header() const override;
  std::string row(const InputRow& row, const Answer& answer) const override;

 private:
  std::string line(const std::vector<std::string>& values) const;

  const bool csv_;
  const std::vector<std::string> inputColumns_;
  const std::vector<std::string> resultColumns_;
};

// A value as one TSV field / one CSV field.
std::string tsvField(const std::string& value);
std::string csvField(const std::string& value);

#endif  // OSTREV_TOOLS_BATCH_TABLE_WRITER_H_
