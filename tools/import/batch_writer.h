// BatchWriter: writes the rows of each batch into the catalogue tables themselves, derives
// what follows from them and commits the batch as one transaction, so that every batch
// before a failure stays. Used to add to a catalogue, whose keys are kept up row by row.
// Borrows the handle, on which autocommit must be off; the thread that owns the connection.
#ifndef OSTREV_TOOLS_IMPORT_BATCH_WRITER_H_
#define OSTREV_TOOLS_IMPORT_BATCH_WRITER_H_

#include <string>

#include <mysql.h>

#include "tools/import/catalogue_tables.h"
#include "tools/import/catalogue_writer.h"
#include "tools/import/row_loader.h"

class BatchWriter : public CatalogueWriter {
 public:
  BatchWriter(st_mysql* handle, RowLoader::Method method);

  bool write(const RowBatch& batch) override;
  bool finish() override { return true; }

 private:
  st_mysql* handle_;
  RowLoader loader_;
  TableRows rows_;
};

#endif  // OSTREV_TOOLS_IMPORT_BATCH_WRITER_H_
