// The derivation of the tables that follow from the catalogue's own rows (match tracks,
// triplets, name counts...): the statements of schema/derive.sql, built in, which the test
// catalogues run as they stand. Functions and values; any thread.
#ifndef OSTREV_TOOLS_IMPORT_DERIVED_TABLES_H_
#define OSTREV_TOOLS_IMPORT_DERIVED_TABLES_H_

#include <string>
#include <vector>

#include "tools/import/catalogue_rows.h"

struct DerivationStep {
  std::string table;      // the table it writes, without the suffix; "" for a setting
  std::string statement;
};

// The steps, in order, that derive what follows from the rows with ids from `first` on,
// in the tables named with `tableSuffix` after each name.
std::vector<DerivationStep> derivationSteps(const FirstIds& first, const std::string& tableSuffix);

#endif  // OSTREV_TOOLS_IMPORT_DERIVED_TABLES_H_
