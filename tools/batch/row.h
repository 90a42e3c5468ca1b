// Row: one row of ostrev-batch's input, whatever its format: where it starts, the values it
// carries to the output, the query it asks and why it cannot be sent, if it cannot. The
// rules a query's texts keep to. Plain data and pure functions; any thread.
#ifndef OSTREV_TOOLS_BATCH_ROW_H_
#define OSTREV_TOOLS_BATCH_ROW_H_

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

#include "wire/wire_format.h"

// The most columns a table's header, and keys a JSON line, may have: objects keep their
// keys in order and are searched key by key.
constexpr size_t kMaxColumns = 1000;

struct RowQuery {
  std::string artist;
  std::string album;
  std::string title;
  std::string isrc;
  std::string upc;
};

struct Row {
  long long line = 0;  // where the row starts
  // A table's row: an array of its fields as strings, one per column (a header may name a
  // column twice). JSON Lines: the object read, {} when the line holds none.
  nlohmann::ordered_json input;
  RowQuery query;
  std::string problem;  // "" when the row can be sent
};

// The columns (or JSON keys) a row's query is read from.
struct QueryColumn {
  const char* name;
  std::string RowQuery::*field;
};
constexpr QueryColumn kQueryColumns[] = {{"artist", &RowQuery::artist},
                                         {"album", &RowQuery::album},
                                         {"title", &RowQuery::title},
                                         {"isrc", &RowQuery::isrc},
                                         {"upc", &RowQuery::upc}};
constexpr size_t kQueryColumnCount = sizeof(kQueryColumns) / sizeof(kQueryColumns[0]);

// The request's text fields hold this much before their NUL; a longer text would be cut.
constexpr size_t kMaxQueryFieldBytes = sizeof(lookup_query::artist) - 1;

// A value as a table cell: null empty, a string as it is, anything else as compact JSON.
std::string cellText(const nlohmann::ordered_json& value);

// The row's value of input column `index`, named `name`, as a table cell: a table row's
// field, a JSON Lines row's value of that key ("" when it has none).
std::string inputText(const Row& row, size_t index, const std::string& name);

// "" when every field can be sent as it is, else why not ("title is 250 bytes, at most
// 199").
std::string queryProblem(const RowQuery& query);

// Whether `text` is valid UTF-8 without NUL bytes.
bool validText(const std::string& text);

#endif  // OSTREV_TOOLS_BATCH_ROW_H_
