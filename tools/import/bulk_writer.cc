#include "tools/import/bulk_writer.h"

#include <utility>

#include "tools/import/batch_statements.h"
#include "tools/import/count_loader.h"

namespace {

// Which worker fills each table: the four big tables split so that both carry about
// the same load, building their keys included.
constexpr int kWorkerOf[kLoadedTableCount] = {
    /* artists */ 0, /* matchartists */ 1, /* matchartistsdisk */ 1,
    /* albums */ 0, /* matchalbums */ 1,
    /* tracks */ 0, /* matchtracks */ 1, /* triplets */ 0, /* triplets_disk */ 1};

const std::string kCopySuffix = StagedCatalogue::copyOf("");

}  // namespace

bool BulkWriter::start(const ImportOptions& options, RowLoader::Method method) {
  if (!staged_.create(&error_)) return false;
  method_ = method;
  for (LoadWorker& worker : workers_) {
    if (!worker.start(options, method, &error_)) return false;
  }
  rows_.emplace(RowLoader::formatOf(method), handle_, [this](LoadedTable table, RowText& rows) {
    LoadWorker& worker = workers_[kWorkerOf[table]];
    return worker.postRows(StagedCatalogue::copyOf(kLoadedTables[table].name),
                           kLoadedTables[table].columns, std::move(rows)) ||
           failed(worker);
  });
  return true;
}

bool BulkWriter::failed(LoadWorker& worker) {
  worker.finish(&error_);
  return false;
}

bool BulkWriter::write(const RowBatch& batch) {
  if (!rows_->add(batch)) return false;
  // Loaded at the end: names recur from batch to batch.
  counts_.add(batch);
  // Marked once the keys are back: without them every update would read a whole table.
  albumsNowMultipleArtists_.insert(albumsNowMultipleArtists_.end(),
                                   batch.albumsNowMultipleArtists.begin(),
                                   batch.albumsNowMultipleArtists.end());
  return true;
}

bool BulkWriter::finish() {
  if (!rows_->flush()) return false;
  // Each table's keys on the worker that filled it, after its rows.
  for (int t = 0; t < kLoadedTableCount; ++t) {
    if (!restoreKeys(kLoadedTables[t].name, workers_[kWorkerOf[t]])) return false;
  }
  // The counts meanwhile on this connection, committed before their tables' keys are
  // built, which needs the tables to themselves.
  if (!loadNameCounts(handle_, method_, counts_, kCopySuffix, &error_) || !commit()) {
    return false;
  }
  for (const auto& table : counts_.tables()) {
    if (!restoreKeys(table.name, workers_[0])) return false;
  }
  for (LoadWorker& worker : workers_) {
    if (!worker.finish(&error_)) return false;
  }
  RowLoader loader(handle_, method_);
  for (const std::string& statement :
       multipleArtistsStatements(albumsNowMultipleArtists_, kCopySuffix)) {
    if (!loader.run(statement, &error_)) return false;
  }
  return commit() && staged_.swap(&error_);
}

bool BulkWriter::restoreKeys(const char* table, LoadWorker& worker) {
  std::string restore = staged_.restoreKeys(table);
  return restore.empty() || worker.postStatement(restore) || failed(worker);
}

bool BulkWriter::commit() {
  if (mysql_commit(handle_) == 0) return true;
  error_ = mysql_error(handle_);
  return false;
}
