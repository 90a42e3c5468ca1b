#include "tools/batch/csv_reader.h"

#include <csv.h>

namespace {

constexpr char kBadQuoting[] =
    "bad CSV quoting (a quote inside an unquoted value, or text after a closing quote)";

struct Split {
  std::vector<std::string>* fields;
  int records = 0;
};

void onField(void* data, size_t length, void* split) {
  std::vector<std::string>* fields = static_cast<Split*>(split)->fields;
  if (length == 0) {
    fields->emplace_back();
  } else {
    fields->emplace_back(static_cast<const char*>(data), length);
  }
}

void onRecordEnd(int, void* split) { ++static_cast<Split*>(split)->records; }

// Values keep their spaces: what is not the input's own is not ours to trim.
int noSpace(unsigned char) { return 0; }

// Records are cut at line ends before the parser sees them; a lone '\r' is a value's.
int newlineEnds(unsigned char c) { return c == '\n'; }

}  // namespace

void CsvReader::ParserFree::operator()(csv_parser* parser) const {
  csv_free(parser);
  delete parser;
}

CsvReader::CsvReader(InputLines& lines) : lines_(lines) { newParser(); }

void CsvReader::newParser() {
  parser_.reset(new csv_parser);
  csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI);
  csv_set_space_func(parser_.get(), noSpace);
  csv_set_term_func(parser_.get(), newlineEnds);
}

bool csvInsideQuotes(bool before, const std::string& line) {
  // A quote opens a quoted value only where a value starts; elsewhere in an unquoted value
  // it is the value's, so a stray one spoils one record, not the rest of the file.
  enum { kValueStart, kUnquoted, kQuoted, kQuoteInQuoted } state = before ? kQuoted : kValueStart;
  for (char c : line) {
    switch (state) {
      case kValueStart:
        state = c == '"' ? kQuoted : c == ',' ? kValueStart : kUnquoted;
        break;
      case kUnquoted:
        if (c == ',') state = kValueStart;
        break;
      case kQuoted:
        if (c == '"') state = kQuoteInQuoted;
        break;
      case kQuoteInQuoted:  // a doubled quote, or the closing one
        state = c == '"' ? kQuoted : c == ',' ? kValueStart : kUnquoted;
        break;
    }
  }
  return state == kQuoted;
}

bool CsvReader::nextRecord(Record* record) {
  std::string text;
  std::string line;
  bool started = false;
  bool inside = false;
  for (;;) {
    InputLines::Status status = lines_.next(&line);
    if (status == LineReader::kError) return false;
    if (status == LineReader::kEnd) {
      if (!started) return false;
      record->problem = "a quoted value is not closed at the end of the input";
      return true;
    }
    if (!started) {
      if (status == LineReader::kLine && (line.empty() || line == "\r")) continue;
      started = true;
      record->line = lines_.lineNumber();
    } else {
      text += '\n';
    }
    if (status == LineReader::kTooLong) {
      record->problem = lines_.tooLongProblem();
      return true;
    }
    text += line;
    if (text.size() > kMaxInputLineBytes) {
      record->problem = "record longer than " + std::to_string(kMaxInputLineBytes) +
                        " bytes (a quote left open?)";
      return true;
    }
    inside = csvInsideQuotes(inside, line);
    if (!inside) break;
  }
  if (text.back() == '\r') text.pop_back();
  split(text, record);
  return true;
}

void CsvReader::split(const std::string& text, Record* record) {
  Split split{&record->fields};
  const size_t parsed =
      csv_parse(parser_.get(), text.data(), text.size(), onField, onRecordEnd, &split);
  if (parsed == text.size() && csv_fini(parser_.get(), onField, onRecordEnd, &split) == 0 &&
      split.records == 1) {
    return;
  }
  // A parser that met an error is not to be trusted with the next record.
  newParser();
  record->fields.clear();
  record->problem = kBadQuoting;
}
