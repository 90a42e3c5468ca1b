// BatchWriter: writes the rows of each batch into the catalogue with multi-row INSERT
// statements and commits them as one transaction. Borrows the handle, on which autocommit
// must be off; the thread that owns the connection.
#ifndef OSTREV_TOOLS_IMPORT_BATCH_WRITER_H_
#define OSTREV_TOOLS_IMPORT_BATCH_WRITER_H_

#include <mysql.h>

#include "tools/import/catalogue_rows.h"

class BatchWriter {
 public:
  explicit BatchWriter(st_mysql* handle) : handle_(handle) {}

  BatchWriter(const BatchWriter&) = delete;
  BatchWriter& operator=(const BatchWriter&) = delete;

  // Sends every row of `batch` and commits. False on a database error, which
  // mysql_error() on the handle describes; nothing of the batch is committed then.
  bool write(const RowBatch& batch);

 private:
  st_mysql* handle_;
};

#endif  // OSTREV_TOOLS_IMPORT_BATCH_WRITER_H_
