#include "tools/batch/jsonl_reader.h"

#include <optional>

using nlohmann::ordered_json;

namespace {

// Deeper values are refused: writing one out again recurses once a level.
constexpr int kMaxDepth = 64;

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

// Why `line` holds no object to send; "" when `*value` is one.
std::string parse(const std::string& line, ordered_json* value) {
  if (!validText(line)) return "not valid UTF-8";
  // Past a limit nothing more is kept, so the rest of the line costs no more than reading.
  bool tooDeep = false;
  size_t keys = 0;
  auto limit = [&tooDeep, &keys](int depth, ordered_json::parse_event_t event, ordered_json&) {
    if (depth > kMaxDepth) tooDeep = true;
    if (event == ordered_json::parse_event_t::key) ++keys;
    return !tooDeep && keys <= kMaxColumns;
  };
  try {
    *value = ordered_json::parse(line, limit);
  } catch (const nlohmann::json::exception& failure) {
    return parseProblem(failure.what());
  }
  if (tooDeep) return "nested deeper than " + std::to_string(kMaxDepth) + " levels";
  if (keys > kMaxColumns) return "more than " + std::to_string(kMaxColumns) + " keys";
  if (!value->is_object()) return "not a JSON object";
  return "";
}

// Borrows its lines.
class JsonLinesReader : public RowReader {
 public:
  explicit JsonLinesReader(InputLines& lines) : lines_(lines) {
    Row first;
    if (!read(&first)) return;
    for (const auto& item : first.input.items()) columns_.push_back(item.key());
    first_ = std::move(first);
  }

  bool next(Row* row) override {
    if (!first_) return read(row);
    *row = std::move(*first_);
    first_.reset();
    return true;
  }

 private:
  bool read(Row* row);

  InputLines& lines_;
  std::optional<Row> first_;
};

bool JsonLinesReader::read(Row* row) {
  std::string line;
  for (;;) {
    InputLines::Status status = lines_.next(&line);
    if (status == LineReader::kEnd || status == LineReader::kError) return false;
    *row = Row();
    row->line = lines_.lineNumber();
    // A line that is not an object carries nothing through.
    row->input = ordered_json::object();
    if (status == LineReader::kTooLong) {
      row->problem = lines_.tooLongProblem();
      return true;
    }
    if (line.find_first_not_of(" \t\r") != std::string::npos) break;
  }
  ordered_json value;
  row->problem = parse(line, &value);
  if (!row->problem.empty()) return true;
  for (const QueryColumn& column : kQueryColumns) {
    auto found = value.find(column.name);
    if (found == value.end()) continue;
    if (!found->is_string() && !found->is_number() && !found->is_null()) {
      row->problem = std::string(column.name) + " is not a string";
      break;
    }
    row->query.*column.field = cellText(*found);
  }
  if (row->problem.empty()) row->problem = queryProblem(row->query);
  row->input = std::move(value);
  return true;
}

}  // namespace

std::unique_ptr<RowReader> openJsonLinesReader(InputLines& lines) {
  return std::make_unique<JsonLinesReader>(lines);
}
