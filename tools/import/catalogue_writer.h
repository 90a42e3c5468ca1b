// CatalogueWriter: what the import loop hands its batches to; BatchWriter writes them into
// the catalogue tables as they come, BulkWriter into staged copies built at the end. The
// thread that runs the import.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_WRITER_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_WRITER_H_

#include <string>

#include "tools/import/catalogue_rows.h"

class CatalogueWriter {
 public:
  virtual ~CatalogueWriter() = default;

  // Sends the rows of `batch`. False on a database error, which error() describes.
  virtual bool write(const RowBatch& batch) = 0;

  // Completes the import after the last batch. False as for write().
  virtual bool finish() = 0;

  const std::string& error() const { return error_; }

 protected:
  std::string error_;
};

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_WRITER_H_
