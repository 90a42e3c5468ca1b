// BulkWriter: loads a whole import into the copies of a StagedCatalogue over two
// LoadWorkers, so that the server fills and later indexes two tables at a time, then
// swaps the copies in. All or nothing: a failure leaves the catalogue as it was. Owns the
// staged copies and the workers; borrows the handle (autocommit off) of the thread that
// runs the import.
#ifndef OSTREV_TOOLS_IMPORT_BULK_WRITER_H_
#define OSTREV_TOOLS_IMPORT_BULK_WRITER_H_

#include <optional>
#include <string>

#include <mysql.h>

#include "tools/import/catalogue_tables.h"
#include "tools/import/catalogue_writer.h"
#include "tools/import/command_line.h"
#include "tools/import/load_worker.h"
#include "tools/import/row_loader.h"
#include "tools/import/staged_catalogue.h"

class BulkWriter : public CatalogueWriter {
 public:
  explicit BulkWriter(st_mysql* handle) : handle_(handle), staged_(handle) {}

  // Makes the staged copies and connects the workers, which send rows by `method`.
  bool start(const ImportOptions& options, RowLoader::Method method);

  bool write(const RowBatch& batch) override;

  // Sends the last rows, derives the other tables, restores the keys and swaps the copies
  // in.
  bool finish() override;

 private:
  static constexpr int kWorkers = 2;

  bool failed(LoadWorker& worker);
  bool restoreKeys(const char* table, LoadWorker& worker);
  bool commit();

  st_mysql* handle_;
  StagedCatalogue staged_;  // declared before the workers: dropped after they stop
  RowLoader::Method method_ = RowLoader::kInfile;
  LoadWorker workers_[kWorkers];
  std::optional<TableRows> rows_;  // made by start(), once the method is known
};

#endif  // OSTREV_TOOLS_IMPORT_BULK_WRITER_H_
