#include "tools/batch/row_writer.h"

#include <csv.h>

using nlohmann::ordered_json;

RowWriter::RowWriter(Format format, std::vector<std::string> inputColumns,
                     std::vector<std::string> resultColumns)
    : format_(format),
      inputColumns_(std::move(inputColumns)),
      resultColumns_(std::move(resultColumns)) {}

std::string RowWriter::header() const {
  if (format_ == Format::kJsonLines) return "";
  std::vector<std::string> names = inputColumns_;
  names.insert(names.end(), resultColumns_.begin(), resultColumns_.end());
  names.push_back(kStatusColumn);
  return tableLine(names);
}

std::string RowWriter::row(const Row& row, const Answer& answer) const {
  if (format_ == Format::kJsonLines) return jsonLine(row, answer);
  std::vector<std::string> values;
  for (size_t i = 0; i < inputColumns_.size(); ++i) {
    values.push_back(inputText(row, i, inputColumns_[i]));
  }
  for (size_t i = 0; i < resultColumns_.size(); ++i) {
    values.push_back(i < answer.values.size() ? cellText(answer.values[i]) : "");
  }
  values.push_back(statusText(answer));
  return tableLine(values);
}

std::string RowWriter::tableLine(const std::vector<std::string>& values) const {
  const bool csv = format_ == Format::kCsv;
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) line.push_back(csv ? ',' : '\t');
    line.append(csv ? csvField(values[i]) : tsvField(values[i]));
  }
  return line + "\n";
}

// The input's object (or the table row's columns as strings), then the result keys. Text
// that is not UTF-8 is written with U+FFFD in its place.
std::string RowWriter::jsonLine(const Row& row, const Answer& answer) const {
  ordered_json object = ordered_json::object();
  if (row.input.is_object()) {
    object = row.input;
  } else {
    for (size_t i = 0; i < inputColumns_.size() && i < row.input.size(); ++i) {
      object[inputColumns_[i]] = row.input[i];
    }
  }
  // An input's own value is never replaced: such a row is refused, and keeps its key.
  auto put = [&](const std::string& key, ordered_json value) {
    if (!row.input.is_object() || !row.input.contains(key)) object[key] = std::move(value);
  };
  for (size_t i = 0; i < resultColumns_.size(); ++i) {
    put(resultColumns_[i], i < answer.values.size() ? answer.values[i] : nullptr);
  }
  put(kStatusColumn, statusText(answer));
  return object.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

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
