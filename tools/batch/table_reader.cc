#include "tools/batch/table_reader.h"

#include <csv.h>

namespace {

constexpr char kBadQuoting[] =
    "bad CSV quoting (a quote inside an unquoted value, or text after a closing quote)";

// What libcsv's callbacks fill while it splits one record.
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

std::string fieldCount(size_t count) {
  return std::to_string(count) + (count == 1 ? " field" : " fields");
}

struct Record {
  long long line = 0;  // where the record starts; 0 before it has
  std::vector<std::string> fields;
  std::string problem;  // why the record could not be split; its fields are then empty
};

// A header, then one record a row, checked against the header and read into its query.
// Borrows its lines, owns its parser (CSV only).
class TableReader : public RowReader {
 public:
  TableReader(InputLines& lines, bool csv) : lines_(lines) {
    if (csv) newParser();
  }

  bool readHeader(std::string* problem);
  bool next(Row* row) override;

 private:
  struct ParserFree {
    void operator()(csv_parser* parser) const {
      csv_free(parser);
      delete parser;
    }
  };

  // The next record, empty lines skipped; false at the end of the input or when reading
  // failed.
  bool nextRecord(Record* record);
  void splitCsv(const std::string& text, Record* record);

  void newParser() {
    parser_.reset(new csv_parser);
    csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI);
    csv_set_space_func(parser_.get(), noSpace);
    csv_set_term_func(parser_.get(), newlineEnds);
  }

  InputLines& lines_;
  std::unique_ptr<csv_parser, ParserFree> parser_;
  int queryIndex_[kQueryColumnCount];  // the column of each query field, or -1
};

bool TableReader::readHeader(std::string* problem) {
  const std::string& name = lines_.name();
  Record header;
  if (!nextRecord(&header)) {
    *problem = name + " has no header line";
    return false;
  }
  if (!header.problem.empty()) {
    *problem = name + " line " + std::to_string(header.line) + ": header: " + header.problem;
    return false;
  }
  if (header.fields.size() > kMaxColumns) {
    *problem = name + ": the header has more than " + std::to_string(kMaxColumns) + " columns";
    return false;
  }
  std::string names;
  bool any = false;
  for (size_t q = 0; q < kQueryColumnCount; ++q) {
    names += std::string(q > 0 ? ", " : "") + kQueryColumns[q].name;
    queryIndex_[q] = -1;
    for (size_t i = 0; i < header.fields.size(); ++i) {
      if (header.fields[i] != kQueryColumns[q].name) continue;
      if (queryIndex_[q] >= 0) {
        *problem = name + ": the header names " + kQueryColumns[q].name + " twice";
        return false;
      }
      queryIndex_[q] = static_cast<int>(i);
      any = true;
    }
  }
  if (!any) {
    *problem = name + ": the header names none of the columns " + names;
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

bool TableReader::nextRecord(Record* record) {
  std::string text;
  std::string line;
  bool inside = false;
  for (;;) {
    InputLines::Status status = lines_.next(&line);
    if (status == LineReader::kError) return false;
    if (status == LineReader::kEnd) {
      if (record->line == 0) return false;
      record->problem = "a quoted value is not closed at the end of the input";
      return true;
    }
    if (record->line == 0) {
      if (status == LineReader::kLine && (line.empty() || line == "\r")) continue;
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
    inside = parser_ != nullptr && csvInsideQuotes(inside, line);
    if (!inside) break;
  }
  if (text.back() == '\r') text.pop_back();
  if (parser_ != nullptr) {
    splitCsv(text, record);
    return true;
  }
  size_t start = 0;
  for (size_t tab; (tab = text.find('\t', start)) != std::string::npos; start = tab + 1) {
    record->fields.emplace_back(text, start, tab - start);
  }
  record->fields.emplace_back(text, start);
  return true;
}

void TableReader::splitCsv(const std::string& text, Record* record) {
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

}  // namespace

std::unique_ptr<RowReader> openTableReader(InputLines& lines, bool csv, std::string* problem) {
  auto table = std::make_unique<TableReader>(lines, csv);
  if (!table->readHeader(problem)) return nullptr;
  return table;
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
