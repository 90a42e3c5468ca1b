#include "tools/batch/resume.h"

#include <nlohmann/json.hpp>

#include "tools/batch/table_reader.h"
#include "tools/batch/input_lines.h"

namespace {

// A row written from the longest input line, every byte escaped as JSON does a control
// character, and its results.
constexpr size_t kMaxOutputLineBytes = 8 * kMaxInputLineBytes;

bool holdsKeys(const std::string& line, const std::vector<std::string>& keys) {
  nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
  if (!object.is_object()) return false;
  for (const std::string& key : keys) {
    if (!object.contains(key)) return false;
  }
  return true;
}

}  // namespace

bool findResumePoint(const std::string& path, Format format, const std::string& header,
                     const std::vector<std::string>& resultKeys, ResumePoint* point,
                     std::string* problem) {
  *point = ResumePoint();
  InputLines lines(kMaxOutputLineBytes);
  switch (lines.open(path, problem)) {
    case InputLines::kMissing:
      return true;
    case InputLines::kFailed:
      return false;
    case InputLines::kOpened:
      break;
  }
  const std::string notOurs = lines.name() + " does not hold the output of this batch";
  if (lines.size() < 0) {
    *problem = lines.name() + " is not a regular file";
    return false;
  }
  bool headerSeen = header.empty();
  std::string record;  // the lines of the record not yet whole, joined
  bool inside = false;
  long long offset = 0;  // the end of the lines taken, each with its newline
  std::string line;
  for (;;) {
    InputLines::Status status = lines.next(&line);
    if (status == LineReader::kEnd) break;
    if (status == LineReader::kError) {
      *problem = lines.problem();
      return false;
    }
    if (status == LineReader::kTooLong) {
      *problem = notOurs + " (line " + std::to_string(lines.lineNumber()) + ": " +
                 lines.tooLongProblem() + ")";
      return false;
    }
    if (!record.empty() || inside) record += '\n';
    record += line;
    offset += static_cast<long long>(line.size()) + 1;
    // A last line without its newline was cut short.
    if (offset > lines.size()) break;
    if (format == Format::kCsv && (inside = csvInsideQuotes(inside, line))) continue;
    if (!headerSeen) {
      if (record + "\n" != header) {
        *problem = notOurs + ": its header differs";
        return false;
      }
      headerSeen = true;
    } else {
      if (format == Format::kJsonLines && point->rows == 0 && !holdsKeys(record, resultKeys)) {
        *problem = notOurs + ": its first line is no result object";
        return false;
      }
      ++point->rows;
    }
    point->bytes = offset;
    record.clear();
  }
  // Nothing whole yet: the file must be the start of the header cut short, written again.
  if (!headerSeen && header.compare(0, record.size(), record) != 0) {
    *problem = notOurs + ": its header differs";
    return false;
  }
  return true;
}
