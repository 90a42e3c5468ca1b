#include "tools/batch/jsonl_reader.h"

#include <nlohmann/json.hpp>

using nlohmann::ordered_json;

namespace {

// Deeper values are refused: writing one out again recurses once a level.
constexpr int kMaxDepth = 64;

// A value as text: strings as they are, null and a missing key as "", anything else as JSON.
std::string keyText(const ordered_json& object, const char* key) {
  auto found = object.find(key);
  if (found == object.end() || found->is_null()) return "";
  if (found->is_string()) return found->get<std::string>();
  return found->dump();
}

// The parser's message without its prefix and without the bytes it stopped at.
std::string parseProblem(const std::string& what) {
  size_t start = what.find("] ");
  std::string message = start == std::string::npos ? what : what.substr(start + 2);
  message = message.substr(0, message.find("; last read"));
  // The parser saw the one line only.
  const std::string lineOne = "at line 1, column";
  size_t at = message.find(lineOne);
  if (at != std::string::npos) message.replace(at, lineOne.size(), "at column");
  return "not JSON: " + message;
}

}  // namespace

JsonLinesReader::JsonLinesReader(InputLines& lines) : lines_(lines) {
  auto first = std::make_unique<InputRow>();
  if (!read(first.get())) return;
  if (first->object != nullptr) {
    for (const auto& item : first->object->items()) columns_.push_back(item.key());
  }
  first_ = std::move(first);
}

bool JsonLinesReader::next(InputRow* row) {
  if (first_ != nullptr) {
    *row = std::move(*first_);
    first_.reset();
  } else if (!read(row)) {
    return false;
  }
  fillFields(row);
  return true;
}

bool JsonLinesReader::read(InputRow* row) {
  std::string line;
  for (;;) {
    InputLines::Status status = lines_.next(&line);
    if (status == LineReader::kEnd || status == LineReader::kError) return false;
    *row = InputRow();
    row->line = lines_.lineNumber();
    // A line that is not an object carries nothing through.
    row->object = std::make_shared<const ordered_json>(ordered_json::object());
    if (status == LineReader::kTooLong) {
      row->problem = lines_.tooLongProblem();
      return true;
    }
    if (line.find_first_not_of(" \t\r") != std::string::npos) break;
  }
  if (!validText(line)) {
    row->problem = "not valid UTF-8";
    return true;
  }
  // Past a limit nothing more is kept, so the rest of the line costs no more than reading.
  bool tooDeep = false;
  size_t keys = 0;
  auto limit = [&tooDeep, &keys](int depth, ordered_json::parse_event_t event, ordered_json&) {
    if (depth > kMaxDepth) tooDeep = true;
    if (event == ordered_json::parse_event_t::key) ++keys;
    return !tooDeep && keys <= kMaxColumns;
  };
  ordered_json value;
  try {
    value = ordered_json::parse(line, limit);
  } catch (const nlohmann::json::exception& failure) {
    row->problem = parseProblem(failure.what());
    return true;
  }
  if (tooDeep) {
    row->problem = "nested deeper than " + std::to_string(kMaxDepth) + " levels";
    return true;
  }
  if (keys > kMaxColumns) {
    row->problem = "more than " + std::to_string(kMaxColumns) + " keys";
    return true;
  }
  if (!value.is_object()) {
    row->problem = "not a JSON object";
    return true;
  }
  for (const QueryColumn& column : kQueryColumns) {
    auto found = value.find(column.name);
    if (found != value.end() && !found->is_string() && !found->is_number() && !found->is_null()) {
      row->problem = std::string(column.name) + " is not a string";
      break;
    }
    row->query.*column.field = keyText(value, column.name);
  }
  if (row->problem.empty()) row->problem = queryProblem(row->query);
  row->object = std::make_shared<const ordered_json>(std::move(value));
  return true;
}

void JsonLinesReader::fillFields(InputRow* row) const {
  row->fields.clear();
  for (const std::string& column : columns_) {
    row->fields.push_back(keyText(*row->object, column.c_str()));
  }
}
