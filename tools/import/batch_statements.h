// The statements that add name counts to the count tables and mark the albums found to
// have several artists after their rows were written. Built as text for one connection's
// character set; one thread at a time, with the handle they are built for.
#ifndef OSTREV_TOOLS_IMPORT_BATCH_STATEMENTS_H_
#define OSTREV_TOOLS_IMPORT_BATCH_STATEMENTS_H_

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <mysql.h>

#include "tools/import/catalogue_rows.h"
#include "tools/import/row_text.h"

// The name counts of one batch or of many added up. Of collation-equal names the count
// tables keep the one added first, so each name keeps the place where it first came, in
// batch order and within a batch in byte order: the totals of many batches leave the same
// rows as the batches one by one.
class NameCountTotals {
 public:
  // One count table's totals.
  struct Table {
    const char* name;
    const char* columns;  // the name's column first
    bool countsArtists;   // artist_count follows track_count
    std::deque<std::pair<std::string, ArtistNameCount>> inOrder;
    std::unordered_map<std::string_view, size_t> index;  // into inOrder, whose strings stay put

    void add(const std::string& name, uint64_t tracks, uint64_t artists);
    // Appends the row of one entry of inOrder.
    void addRow(const std::pair<std::string, ArtistNameCount>& entry, RowText* rows) const;
  };

  NameCountTotals();
  NameCountTotals(const NameCountTotals&) = delete;
  NameCountTotals& operator=(const NameCountTotals&) = delete;

  void add(const RowBatch& batch);

  const std::vector<Table>& tables() const { return tables_; }

  // The upserts that add the totals of the names `wanted` accepts (all without it) to
  // the count tables, each near kChunkBytes, to run in order. `tableSuffix` follows every
  // table name (StagedCatalogue's copies).
  std::vector<std::string> statements(
      st_mysql* handle, const std::string& tableSuffix,
      const std::function<bool(const Table&, const std::string&)>& wanted = nullptr) const;

 private:
  std::vector<Table> tables_;  // track, album and artist name counts
};

// `tableSuffix` as above.

std::vector<std::string> multipleArtistsStatements(const std::vector<CatalogueId>& albumIds,
                                                   const std::string& tableSuffix);

#endif  // OSTREV_TOOLS_IMPORT_BATCH_STATEMENTS_H_
