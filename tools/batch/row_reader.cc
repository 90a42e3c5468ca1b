#include "tools/batch/row_reader.h"

#include "tools/batch/jsonl_reader.h"
#include "tools/batch/table_reader.h"

std::unique_ptr<RowReader> openRowReader(Format format, InputLines& lines, std::string* problem) {
  if (format == Format::kJsonLines) return openJsonLinesReader(lines);
  return openTableReader(lines, format == Format::kCsv, problem);
}
