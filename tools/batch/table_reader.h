// The reader of a TSV or CSV input. TSV has a record a line, fields split at every tab, no
// quoting. CSV quotes as RFC 4180 says, strictly: a record goes on over the next line while
// a quoted field is open; spaces around fields are kept. One thread.
#ifndef OSTREV_TOOLS_BATCH_TABLE_READER_H_
#define OSTREV_TOOLS_BATCH_TABLE_READER_H_

#include <memory>
#include <string>

#include "tools/batch/row_reader.h"

// A reader over `lines`, its header read; a '\r' before a record's end is dropped. Null,
// with `*problem`, when the header is missing, cannot be split, names none of the query
// columns or one of them twice.
std::unique_ptr<RowReader> openTableReader(InputLines& lines, bool csv, std::string* problem);

// Whether a CSV record that was inside a quoted value before `line` still is after it:
// then the record goes on over the next line.
bool csvInsideQuotes(bool before, const std::string& line);

#endif  // OSTREV_TOOLS_BATCH_TABLE_READER_H_
