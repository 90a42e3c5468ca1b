// RowQuery: what one input row asks the server, the columns that carry it and the rules
// its texts must keep to be sent. Plain data and pure functions; any thread.
#ifndef OSTREV_TOOLS_BATCH_ROW_QUERY_H_
#define OSTREV_TOOLS_BATCH_ROW_QUERY_H_

#include <cstddef>
#include <string>

#include "wire/wire_format.h"

struct RowQuery {
  std::string artist;
  std::string album;
  std::string title;
  std::string isrc;
  std::string upc;
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

// "" when every field can be sent as it is, else why not ("title is 250 bytes, at most
// 199").
std::string queryProblem(const RowQuery& query);

// Whether `text` is valid UTF-8 without NUL bytes.
bool validText(const std::string& text);

#endif  // OSTREV_TOOLS_BATCH_ROW_QUERY_H_
