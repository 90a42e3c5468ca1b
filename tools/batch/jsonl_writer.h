// JsonLinesWriter: JSON Lines output, one object a row: the input's object (or the table
// row's columns as strings), then the result keys, a key of the same name replaced. Text
// that is not UTF-8 is written with U+FFFD in its place. Immutable.
#ifndef OSTREV_TOOLS_BATCH_JSONL_WRITER_H_
#define OSTREV_TOOLS_BATCH_JSONL_WRITER_H_

#include "tools/batch/row_writer.h"

class JsonLinesWriter : public RowWriter {
 public:
  JsonLinesWriter(std::vector<std::string> inputColumns, std::vector<std::string> resultColumns)
      : inputColumns_(std::move(inputColumns)), resultColumns_(std::move(resultColumns)) {}

  std::string header() const override { return ""; }
  std::string row(const InputRow& row, const Answer& answer) const override;

 private:
  const std::vector<std::string> inputColumns_;
  const std::vector<std::string> resultColumns_;
};

#endif  // OSTREV_TOOLS_BATCH_JSONL_WRITER_H_
