#include "tools/batch/table_writer.h"

#include <csv.h>

std::string tsvField(const std::string& value) {
  std::string field = value;
  for (char& c : field) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return field;
}

std::string csvField(const std::string& value) {
  // Spaces at either end are quoted too: some readers trim them otherwise.
  bool plain = value.find_first_of(",\"\r\n") == std::string::npos &&
               (value.empty() || (value.front() != ' ' && value.back() != ' '));
  if (plain) return value;
  std::string field(2 * value.size() + 2, '\0');
  field.resize(csv_write(&field[0], field.size(), value.data(), value.size()));
  return field;
}

std::string TableWriter::line(const std::vector<std::string>& values) const {
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) line.push_back(csv_ ? ',' : '\t');
    line.append(csv_ ? csvField(values[i]) : tsvField(values[i]));
  }
  line.push_back('\n');
  return line;
}

std::string TableWriter::header() const {
  std::vector<std::string> names = inputColumns_;
  names.insert(names.end(), resultColumns_.begin(), resultColumns_.end());
  names.push_back(kStatusColumn);
  return line(names);
}

std::string TableWriter::row(const InputRow& row, const Answer& answer) const {
  std::vector<std::string> values = row.fields;
  values.resize(inputColumns_.size());
  for (size_t i = 0; i < resultColumns_.size(); ++i) {
    values.push_back(i < answer.values.size() ? valueText(answer.values[i]) : "");
  }
  values.push_back(statusText(answer));
  return line(values);
}
