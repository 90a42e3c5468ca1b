#include "db/GenerationQueries.h"

#include "db/Query.h"

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
