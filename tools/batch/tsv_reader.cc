#include "tools/batch/tsv_reader.h"

bool TsvReader::nextRecord(Record* record) {
  std::string line;
  for (;;) {
    InputLines::Status status = lines_.next(&line);
    if (status == LineReader::kEnd || status == LineReader::kError) return false;
    record->line = lines_.lineNumber();
    if (status == LineReader::kTooLong) {
      record->problem = lines_.tooLongProblem();
      return true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) break;
  }
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    record->fields.emplace_back(line, start, tab - start);
  }
  record->fields.emplace_back(line, start);
  return true;
}
