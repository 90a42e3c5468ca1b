#include "tools/batch/row_reader.h"

#include "tools/batch/csv_records.h"
#include "tools/batch/jsonl_reader.h"
#include "tools/batch/table_reader.h"
#include "tools/batch/tsv_records.h"

std::unique_ptr<RowReader> openRowReader(Format format, InputLines& lines, std::string* problem) {
  switch (format) {
    case Format::kJsonLines:
      return std::make_unique<JsonLinesReader>(lines);
    case Format::kCsv:
      return TableReader::open(std::make_unique<CsvRecords>(lines), lines.name(), problem);
    case Format::kTsv:
      break;
  }
  return TableReader::open(std::make_unique<TsvRecords>(lines), lines.name(), problem);
}
