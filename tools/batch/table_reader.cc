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

bool TableReader::readHeader(const std::string& inputName, std::string* problem) {
  Record header;
  if (!nextRecord(&header)) {
    *problem = inputName + " has no header line";
    return false;
  }
  if (!header.problem.empty()) {
    *problem = inputName + " line " + std::to_string(header.line) + ": header: " + header.problem;
    return false;
  }
  if (header.fields.size() > kMaxColumns) {
    *problem = inputName + ": the header has more than " + std::to_string(kMaxColumns) + " columns";
    return false;
  }
  bool any = false;
  for (size_t q = 0; q < kQueryColumnCount; ++q) {
    queryIndex_[q] = -1;
    for (size_t i = 0; i < header.fields.size(); ++i) {
      if (header.fields[i] != kQueryColumns[q].name) continue;
      if (queryIndex_[q] >= 0) {
        *problem = inputName + ": the header names " + kQueryColumns[q].name + " twice";
        return false;
      }
      queryIndex_[q] = static_cast<int>(i);
      any = true;
    }
  }
  if (!any) {
    *problem = inputName + ": the header names none of the columns " + queryColumnList();
    return false;
  }
  columns_ = std::move(header.fields);
  return true;
}

bool TableReader::next(Row* row) {
  Record record;
  if (!nextRecord(&record)) return false;
  *row = Row();
  row->line = record.line;
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
  if (row->problem.empty()) {
    for (size_t q = 0; q < kQueryColumnCount; ++q) {
      if (queryIndex_[q] >= 0) row->query.*kQueryColumns[q].field = record.fields[queryIndex_[q]];
    }
    row->problem = queryProblem(row->query);
  }
  row->input = nlohmann::ordered_json::array();
  for (std::string& field : record.fields) row->input.push_back(std::move(field));
  return true;
}
