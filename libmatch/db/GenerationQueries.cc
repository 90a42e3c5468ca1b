#include "db/GenerationQueries.h"

#include <mysqld_error.h>

#include <cstdlib>

#include "db/Query.h"
#include "db/QueryResult.h"

bool bumpCatalogueGeneration(st_mysql* handle) {
  return doQuery(handle,
                 "create table if not exists catalogue_generation ( "
                 "id tinyint unsigned not null, generation bigint unsigned not null, "
                 "primary key (id) ) engine=InnoDB",
                 "bumpCatalogueGeneration") &&
         doQuery(handle,
                 "insert into catalogue_generation (id, generation) values (1, 1) "
                 "on duplicate key update generation = generation + 1",
                 "bumpCatalogueGeneration");
}

bool readCatalogueGeneration(st_mysql* handle, unsigned long long* generation) {
  *generation = 0;
  if (!doQuery(handle, "select generation from catalogue_generation where id = 1",
               "readCatalogueGeneration")) {
    // A catalogue imported before generations were kept has none yet.
    return mysql_errno(handle) == ER_NO_SUCH_TABLE;
  }
  QueryResult rows(handle);
  if (!rows.ok()) return false;
  if (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) *generation = strtoull(row[0], nullptr, 10);
  }
  return mysql_errno(handle) == 0;
}
