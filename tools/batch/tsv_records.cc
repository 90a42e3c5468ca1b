#include "tools/batch/tsv_records.h"

bool TsvRecords::next(Record* record) {
  std::string line;
  for (;;) {
    InputLines::Status status = lines_.next(&line);
    if (status == LineReader::kEnd || status == LineReader::kError) return false;
    record->line = lines_.lineNumber();
    record->fields.clear();
    record->problem.clear();
    if (status == LineReader::kTooLong) {
      record->problem = lines_.tooLongProblem();
      return true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    size_t start = 0;
    for (;;) {
      size_t tab = line.find('\t', start);
      if (tab == std::string::npos) break;
      record->fields.emplace_back(line, start, tab - start);
      start = tab + 1;
    }
    record->fields.emplace_back(line, start);
    return true;
  }
}
