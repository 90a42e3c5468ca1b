#include "tools/import/batch_writer.h"

#include "tools/import/derived_tables.h"

BatchWriter::BatchWriter(st_mysql* handle, RowLoader::Method method)
    : handle_(handle),
      loader_(handle, method),
      rows_(RowLoader::formatOf(method), handle, [this](LoadedTable table, RowText& rows) {
        return loader_.load(kLoadedTables[table].name, kLoadedTables[table].columns, rows,
                            &error_);
      }) {}

bool BatchWriter::write(const RowBatch& batch) {
  if (!rows_.add(batch) || !rows_.flush()) return false;
  for (const DerivationStep& step : derivationSteps(batch.first, "")) {
    if (!loader_.run(step.statement, &error_)) return false;
  }
  if (mysql_commit(handle_) == 0) return true;
  error_ = mysql_error(handle_);
  return false;
}
