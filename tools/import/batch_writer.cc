#include "tools/import/batch_writer.h"

#include "tools/import/batch_statements.h"

BatchWriter::BatchWriter(st_mysql* handle, RowLoader::Method method)
    : handle_(handle),
      loader_(handle, method),
      rows_(RowLoader::formatOf(method), handle, [this](LoadedTable table, RowText& rows) {
        return loader_.load(kLoadedTables[table].name, kLoadedTables[table].columns, rows,
                            &error_);
      }) {}

std::vector<std::string> BatchWriter::batchCounts(const RowBatch& batch) const {
  NameCountTotals counts;
  counts.add(batch);
  return counts.statements(handle_, "");
}

bool BatchWriter::run(const std::vector<std::string>& statements) {
  for (const std::string& statement : statements) {
    if (!loader_.run(statement, &error_)) return false;
  }
  return true;
}

bool BatchWriter::write(const RowBatch& batch) {
  if (!rows_.add(batch) || !rows_.flush() ||
      !run(multipleArtistsStatements(batch.albumsNowMultipleArtists, "")) ||
      !run(batchCounts(batch))) {
    return false;
  }
  if (mysql_commit(handle_) == 0) return true;
  error_ = mysql_error(handle_);
  return false;
}
