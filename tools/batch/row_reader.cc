#include "tools/batch/row_reader.h"

#include "tools/batch/jsonl_reader.h"
#include "tools/batch/table_reader.h"

std::unique_ptr<RowReader> openRowReader(Format format, InputLines& lines, std::string* problem) {
  if (format == Format::kJsonLines) return std::make_unique<JsonLinesReader>(lines);
  auto table = std::make_unique<TableReader>(lines, format == Format::kCsv);
  if (!table->readHeader(problem)) return nullptr;
  return table;
}
