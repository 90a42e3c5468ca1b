#include "tools/batch/table_reader.h"

namespace {

std::string queryColumnList() {
  std::string list;
  for (const QueryColumn& column : kQueryColumns) {
    if (!list.empty()) list += ", ";
    list += column.name;
  }
  return list;
}

std::string fieldCount(size_t count) {
  return std::to_string(count) + (count == 1 ? " field" : " fields");
}

}  // namespace

std::unique_ptr<TableReader> TableReader::open(std::unique_ptr<RecordSource> records,
                                               const std::string& inputName, std::string* problem) {
  std::unique_ptr<TableReader> reader(new TableReader(std::move(records)));
  Record header;
  if (!reader->records_->next(&header)) {
    *problem = inputName + " has no header line";
    return nullptr;
  }
  if (!header.problem.empty()) {
    *problem = inputName + " line " + std::to_string(header.line) + ": header: " + header.problem;
    return nullptr;
  }
  if (header.fields.size() > kMaxColumns) {
    *problem = inputName + ": the header has more than " + std::to_string(kMaxColumns) + " columns";
    return nullptr;
  }
  bool any = false;
  for (size_t q = 0; q < kQueryColumnCount; ++q) {
    reader->queryIndex_[q] = -1;
    for (size_t i = 0; i < header.fields.size(); ++i) {
      if (header.fields[i] != kQueryColumns[q].name) continue;
      if (reader->queryIndex_[q] >= 0) {
        *problem = inputName + ": the header names " + kQueryColumns[q].name + " twice";
        return nullptr;
      }
      reader->queryIndex_[q] = static_cast<int>(i);
      any = true;
    }
  }
  if (!any) {
    *problem = inputName + ": the header names none of the columns " + queryColumnList();
    return nullptr;
  }
  reader->columns_ = std::move(header.fields);
  return reader;
}

bool TableReader::next(InputRow* row) {
  Record record;
  if (!records_->next(&record)) return false;
  row->line = record.line;
  row->object.reset();
  row->query = RowQuery();
  row->problem = std::move(record.problem);
  if (row->problem.empty() && record.fields.size() != columns_.size()) {
    row->problem = fieldCount(record.fields.size()) + ", the header " + fieldCount(columns_.size());
  }
  for (size_t i = 0; row->problem.empty() && i < record.fields.size(); ++i) {
    if (!validText(record.fields[i])) {
      row->problem =
          "column " + std::to_string(i + 1) + " (" + columns_[i] + ") is not valid UTF-8";
    }
  }
  record.fields.resize(columns_.size());
  row->fields = std::move(record.fields);
  if (!row->problem.empty()) return true;
  for (size_t q = 0; q < kQueryColumnCount; ++q) {
    if (queryIndex_[q] >= 0) row->query.*kQueryColumns[q].field = row->fields[queryIndex_[q]];
  }
  row->problem = queryProblem(row->query);
  return true;
}
