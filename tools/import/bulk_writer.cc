#include "tools/import/bulk_writer.h"

#include <iterator>
#include <utility>

#include "tools/import/derived_tables.h"

namespace {

// Which worker fills each table and builds its keys, in the order of kCatalogueTables:
// the four tables of a row per track split so that both carry about the same load.
constexpr int kWorkerOf[] = {
    /* artists */ 1, /* matchartists */ 1, /* albums */ 1, /* matchalbums */ 1,
    /* tracks */ 0, /* matchartistsdisk */ 1, /* matchtracks */ 1, /* triplets */ 1,
    /* triplets_disk */ 0, /* track_name_counts */ 0, /* album_name_counts */ 0,
    /* artist_name_counts */ 0};
static_assert(std::size(kWorkerOf) == std::size(kCatalogueTables));

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

bool BulkWriter::write(const RowBatch& batch) { return rows_->add(batch); }

bool BulkWriter::finish() {
  if (!rows_->flush()) return false;
  for (LoadWorker& worker : workers_) {
    if (!worker.finish(&error_)) return false;
  }
  // The other tables are derived into the copies while they have no plain keys, and each
  // table's keys are built by a worker as soon as no later step writes it, beside the
  // steps still to come. Every step is committed: a key can be added only once no
  // transaction holds the table, and the swap alone makes the copies count.
  std::vector<DerivationStep> steps = derivationSteps(FirstIds{}, kCopySuffix);
  std::vector<bool> keysPosted(std::size(kCatalogueTables), false);
  auto writtenFrom = [&steps](size_t next, const char* table) {
    for (size_t s = next; s < steps.size(); ++s) {
      if (steps[s].table == table) return true;
    }
    return false;
  };
  RowLoader loader(handle_, method_);
  for (size_t next = 0; next <= steps.size(); ++next) {
    for (size_t t = 0; t < std::size(kCatalogueTables); ++t) {
      if (keysPosted[t] || writtenFrom(next, kCatalogueTables[t])) continue;
      if (!restoreKeys(kCatalogueTables[t], workers_[kWorkerOf[t]])) return false;
      keysPosted[t] = true;
    }
    if (next < steps.size() && (!loader.run(steps[next].statement, &error_) || !commit())) {
      return false;
    }
  }
  for (LoadWorker& worker : workers_) {
    if (!worker.finish(&error_)) return false;
  }
  return staged_.swap(&error_);
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
