#include "tools/import/row_text.h"

#include "db/Query.h"

namespace {

// LOAD DATA would take these bytes as field or line ends, or as an escape. Names rarely
// hold any, so the text between them goes in whole.
void appendTabSeparated(const std::string& value, std::string* out) {
  size_t start = 0;
  while (true) {
    size_t special = value.find_first_of("\\\t\n", start);
    out->append(value, start, special == std::string::npos ? std::string::npos : special - start);
    if (special == std::string::npos) return;
    char c = value[special];
    *out += '\\';
    *out += c == '\t' ? 't' : c == '\n' ? 'n' : '\\';
    start = special + 1;
  }
}

}  // namespace

void RowText::beginField() {
  if (!inRow_) {
    if (format_ == kSqlValues) data_ += data_.empty() ? "(" : ",(";
    inRow_ = true;
  } else {
    data_ += format_ == kSqlValues ? ',' : '\t';
  }
}

void RowText::text(const std::string& value) {
  beginField();
  if (format_ == kTabSeparated) {
    appendTabSeparated(value, &data_);
  } else {
    data_ += '\'';
    data_ += escapeString(handle_, value);
    data_ += '\'';
  }
}

void RowText::number(uint64_t value) {
  beginField();
  data_ += std::to_string(value);
}

void RowText::null() {
  beginField();
  data_ += format_ == kSqlValues ? "NULL" : "\\N";
}

void RowText::endRow() {
  data_ += format_ == kSqlValues ? ')' : '\n';
  inRow_ = false;
  ++rows_;
}

void RowText::clear() {
  data_.clear();
  rows_ = 0;
  inRow_ = false;
}
