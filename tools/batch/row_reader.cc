#include "tools/batch/row_reader.h"

#include "tools/batch/csv_reader.h"
#include "tools/batch/jsonl_reader.h"
#include "tools/batch/tsv_reader.h"

std::unique_ptr<RowReader> openRowReader(Format format, InputLines& lines, std::string* problem) {
  if (format == Format::kJsonLines) return std::make_unique<JsonLinesReader>(lines);
  std::unique_ptr<TableReader> table;
  if (format == Format::kCsv) {
    table = std::make_unique<CsvReader>(lines);
  } else {
    table = std::make_unique<TsvReader>(lines);
  }
  if (!table->readHeader(lines.name(), problem)) return nullptr;
  return table;
}
