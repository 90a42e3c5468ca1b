#include "tools/batch/row_writer.h"

#include "tools/batch/jsonl_writer.h"
#include "tools/batch/table_writer.h"

std::unique_ptr<RowWriter> makeRowWriter(Format format, std::vector<std::string> inputColumns,
                                         std::vector<std::string> resultColumns) {
  if (format == Format::kJsonLines) {
    return std::make_unique<JsonLinesWriter>(std::move(inputColumns), std::move(resultColumns));
  }
  return std::make_unique<TableWriter>(format == Format::kCsv, std::move(inputColumns),
                                       std::move(resultColumns));
}
