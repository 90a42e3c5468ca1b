// Statement execution and the two process-wide statement switches: statement logging and
// the triplets table mode. The switches are set once while the engine is built, before any
// other thread runs, and only read afterwards; nothing here takes a lock.
#ifndef OSTREV_LIBMATCH_DB_QUERY_H_
#define OSTREV_LIBMATCH_DB_QUERY_H_

#include <string>

#include <mysql.h>

// Sends one statement unchanged; its rows stay pending on the handle for the caller, who
// takes them with a QueryResult. A lost connection is recorded with the handle's
// CatalogueFault, and within a request that lost it nothing more is sent (false). With
// logging on, the statement and any failure are written to standard error, naming `caller`.
bool doQuery(st_mysql* handle, std::string query, std::string caller);

// `text` escaped for a quoted SQL literal on this connection. The buffer is sized from
// the input, so no argument can overflow it.
std::string escapeString(st_mysql* handle, const std::string& text);

void setDebugQueries(bool on);

// Switching the mode on also chooses the table: "triplets" when mainTable, else
// "triplets_disk". Switching it off keeps the table chosen last.
void setUseTripletsTable(bool useTriplets, bool mainTable);
bool getUseTripletsTable();

// The table the switched statements read in triplets mode.
const std::string& getTripletsTable();

#endif  // OSTREV_LIBMATCH_DB_QUERY_H_
