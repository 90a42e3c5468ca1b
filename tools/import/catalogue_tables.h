// The catalogue tables, the ones the importer fills row by row, and TableRows, which turns
// the rows of batches into the text of each and hands it on in chunks. Constants and one class; a
// TableRows belongs to the thread that feeds it.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_TABLES_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_TABLES_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <mysql.h>

#include "tools/import/catalogue_rows.h"
#include "tools/import/row_text.h"

// Every table of the catalogue: the LoadedTables in their order, then those derived from
// them.
constexpr const char* kCatalogueTables[] = {
    "artists", "matchartists", "albums", "matchalbums", "tracks",
    "matchartistsdisk", "matchtracks", "triplets", "triplets_disk",
    "track_name_counts", "album_name_counts", "artist_name_counts"};

// The tables the importer fills, named in kCatalogueTables; the others follow from them
// (see derived_tables.h).
enum LoadedTable {
  kArtistsTable,
  kMatchArtistsTable,
  kAlbumsTable,
  kMatchAlbumsTable,
  kTracksTable,
  kLoadedTableCount,
};

struct TableLayout {
  const char* name;
  const char* columns;  // the columns each row gives, in order, comma-separated
};

extern const TableLayout kLoadedTables[kLoadedTableCount];

// The text of a table is handed on once it grows past this: well below the server's
// smallest packet limit, yet thousands of rows per statement.
constexpr size_t kChunkBytes = 1 << 20;

class TableRows {
 public:
  // Takes the rows gathered for a table; false stops the caller.
  using Sink = std::function<bool(LoadedTable table, RowText& rows)>;

  // `handle` as for RowText.
  TableRows(RowText::Format format, st_mysql* handle, Sink sink);

  // Adds the rows of `batch`, handing on every table whose text passed kChunkBytes.
  // False when the sink refused.
  bool add(const RowBatch& batch);

  // Hands on what is left of every table.
  bool flush();

 private:
  bool handOnFull();

  std::vector<RowText> rows_;  // by LoadedTable
  Sink sink_;
};

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_TABLES_H_
