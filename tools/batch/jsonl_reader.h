// The reader of a JSON Lines input, one object a line. The query is read from the object's
// keys artist, album, title, isrc and upc (strings, numbers or null); the columns are the
// keys of the first object, read ahead. One thread.
#ifndef OSTREV_TOOLS_BATCH_JSONL_READER_H_
#define OSTREV_TOOLS_BATCH_JSONL_READER_H_

#include <memory>

#include "tools/batch/row_reader.h"

std::unique_ptr<RowReader> openJsonLinesReader(InputLines& lines);

#endif  // OSTREV_TOOLS_BATCH_JSONL_READER_H_
