// Fills empty name count tables with the totals of a whole import. Loading every name
// costs the server far less than an upsert per name; of collation-equal names the table
// keeps the first loaded, and the counts of the others are then added to it by upserts,
// which leaves the rows the upserts alone would. Borrows the connection; its thread.
#ifndef OSTREV_TOOLS_IMPORT_COUNT_LOADER_H_
#define OSTREV_TOOLS_IMPORT_COUNT_LOADER_H_

#include <string>

#include <mysql.h>

#include "tools/import/batch_statements.h"
#include "tools/import/row_loader.h"

// `tableSuffix` as for NameCountTotals::statements. False with `error` set on a database
// error.
bool loadNameCounts(st_mysql* handle, RowLoader::Method method, const NameCountTotals& totals,
                    const std::string& tableSuffix, std::string* error);

#endif  // OSTREV_TOOLS_IMPORT_COUNT_LOADER_H_
