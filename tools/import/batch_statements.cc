#include "tools/import/batch_statements.h"

#include <utility>

#include "tools/import/catalogue_tables.h"
#include "tools/import/row_text.h"

namespace {

// Gathers the rows of one upsert and closes a statement whenever it passes kChunkBytes.
class Upsert {
 public:
  Upsert(st_mysql* handle, std::string head, std::string tail,
         std::vector<std::string>* statements)
      : rows_(RowText::kSqlValues, handle),
        head_(std::move(head)),
        tail_(std::move(tail)),
        statements_(statements) {}

  RowText& row() { return rows_; }

  // After each row.
  void rowAdded() {
    if (rows_.data().size() >= kChunkBytes) finish();
  }

  void finish() {
    if (rows_.empty()) return;
    statements_->push_back(head_ + rows_.data() + tail_);
    rows_.clear();
  }

 private:
  RowText rows_;
  std::string head_;
  std::string tail_;
  std::vector<std::string>* statements_;
};

// Collation-equal names share one row, and an appended catalogue already has rows: the
// counts are added to what is there rather than inserted.
constexpr const char* kAddTrackCount =
    " on duplicate key update track_count = track_count + values(track_count)";

// Ids per statement: short statements, and the server handles a short list well.
constexpr size_t kIdsPerStatement = 10000;

}  // namespace

NameCountTotals::NameCountTotals() {
  tables_.push_back(Table{"track_name_counts", "track_name, track_count", false, {}, {}});
  tables_.push_back(Table{"album_name_counts", "album_name, track_count", false, {}, {}});
  tables_.push_back(
      Table{"artist_name_counts", "artist_name, track_count, artist_count", true, {}, {}});
}

void NameCountTotals::Table::add(const std::string& name, uint64_t tracks, uint64_t artists) {
  auto found = index.find(name);
  if (found == index.end()) {
    inOrder.push_back({name, ArtistNameCount{tracks, artists}});
    index.emplace(inOrder.back().first, inOrder.size() - 1);
    return;
  }
  ArtistNameCount& total = inOrder[found->second].second;
  total.tracks += tracks;
  total.artists += artists;
}

void NameCountTotals::Table::addRow(const std::pair<std::string, ArtistNameCount>& entry,
                                    RowText* rows) const {
  rows->text(entry.first);
  rows->number(entry.second.tracks);
  if (countsArtists) rows->number(entry.second.artists);
  rows->endRow();
}

void NameCountTotals::add(const RowBatch& batch) {
  for (const auto& [name, count] : batch.trackNameCounts) tables_[0].add(name, count, 0);
  for (const auto& [name, count] : batch.albumNameCounts) tables_[1].add(name, count, 0);
  for (const auto& [name, count] : batch.artistNameCounts) {
    tables_[2].add(name, count.tracks, count.artists);
  }
}

std::vector<std::string> NameCountTotals::statements(
    st_mysql* handle, const std::string& tableSuffix,
    const std::function<bool(const Table&, const std::string&)>& wanted) const {
  std::vector<std::string> statements;
  for (const Table& table : tables_) {
    Upsert upsert(handle,
                  "insert into " + std::string(table.name) + tableSuffix + " (" + table.columns +
                      ") values ",
                  table.countsArtists
                      ? std::string(kAddTrackCount) +
                            ", artist_count = artist_count + values(artist_count)"
                      : kAddTrackCount,
                  &statements);
    for (const auto& entry : table.inOrder) {
      if (wanted && !wanted(table, entry.first)) continue;
      table.addRow(entry, &upsert.row());
      upsert.rowAdded();
    }
    upsert.finish();
  }
  return statements;
}

std::vector<std::string> multipleArtistsStatements(const std::vector<CatalogueId>& albumIds,
                                                   const std::string& tableSuffix) {
  std::vector<std::string> statements;
  for (size_t first = 0; first < albumIds.size(); first += kIdsPerStatement) {
    std::string ids;
    for (size_t i = first; i < albumIds.size() && i < first + kIdsPerStatement; ++i) {
      if (!ids.empty()) ids += ',';
      ids += std::to_string(albumIds[i]);
    }
    statements.push_back("update matchalbums" + tableSuffix +
                         " set multiple_artists = 1 where id in (" + ids + ")");
    for (const char* triplets : {"triplets", "triplets_disk"}) {
      statements.push_back("update " + std::string(triplets) + tableSuffix +
                           " set album_multiple_artists = 1 where album_id in (" + ids + ")");
    }
  }
  return statements;
}
