#include "tools/import/catalogue_tables.h"

#include <utility>

const TableLayout kLoadedTables[kLoadedTableCount] = {
    {kCatalogueTables[0], "id, name, display_name"},
    {kCatalogueTables[1], "id, display_name, normalized_name"},
    // The same ids as the artists, so replacing a catalogue reproduces this table too.
    {kCatalogueTables[2], "id, display_name"},
    {kCatalogueTables[3], "id, name, year, label, upc, upc_type"},
    {kCatalogueTables[4], "id, name, artist_id, multiple_artists"},
    {kCatalogueTables[5], "id, name, artist_id, album_id, isrc, length"},
    {kCatalogueTables[6], "id, name, artist_id, album_id"},
    {kCatalogueTables[7],
     "track_id, track_name, artist_id, artist_name, album_id, album_name, isrc, upc,"
     " album_multiple_artists, album_artist_name"},
    {kCatalogueTables[8],
     "track_id, track_name, artist_id, artist_name, album_id, album_name, isrc, upc,"
     " album_multiple_artists, album_artist_name"},
};

namespace {

// Id 0 stands for no row.
void idOrNull(RowText& row, CatalogueId id) { id != 0 ? row.number(id) : row.null(); }

void upcOrNull(RowText& row, const std::optional<uint64_t>& upc) {
  upc ? row.number(*upc) : row.null();
}

void addArtist(std::vector<RowText>& rows, const ArtistRow& artist) {
  for (LoadedTable table : {kArtistsTable, kMatchArtistsTable, kMatchArtistsDiskTable}) {
    RowText& row = rows[table];
    row.number(artist.id);
    row.text(artist.name);
    if (table == kArtistsTable) row.text(artist.name);
    if (table == kMatchArtistsTable) row.text(artist.normalizedName);
    row.endRow();
  }
}

void addAlbum(std::vector<RowText>& rows, const AlbumRow& album) {
  RowText& albums = rows[kAlbumsTable];
  albums.number(album.id);
  albums.text(album.name);
  albums.null();  // year
  albums.null();  // label
  upcOrNull(albums, album.upc);
  album.upc ? albums.text("UPC") : albums.null();
  albums.endRow();

  RowText& matchAlbums = rows[kMatchAlbumsTable];
  matchAlbums.number(album.id);
  matchAlbums.text(album.name);
  idOrNull(matchAlbums, album.artistId);
  matchAlbums.number(album.multipleArtists ? 1 : 0);
  matchAlbums.endRow();
}

void addTrack(std::vector<RowText>& rows, const TrackRow& track) {
  for (LoadedTable table : {kTracksTable, kMatchTracksTable}) {
    RowText& row = rows[table];
    row.number(track.id);
    row.text(track.name);
    idOrNull(row, track.artistId);
    idOrNull(row, track.albumId);
    if (table == kTracksTable) {
      row.textOrNull(track.isrc);
      row.null();  // length
    }
    row.endRow();
  }
  for (LoadedTable table : {kTripletsTable, kTripletsDiskTable}) {
    RowText& row = rows[table];
    row.number(track.id);
    row.text(track.name);
    idOrNull(row, track.artistId);
    row.textOrNull(track.artistName);
    idOrNull(row, track.albumId);
    row.text(track.albumName);
    row.textOrNull(track.isrc);
    upcOrNull(row, track.upc);
    row.number(track.albumMultipleArtists ? 1 : 0);
    row.textOrNull(track.albumArtistName);
    row.endRow();
  }
}

}  // namespace

TableRows::TableRows(RowText::Format format, st_mysql* handle, Sink sink)
    : rows_(kLoadedTableCount, RowText(format, handle)), sink_(std::move(sink)) {}

bool TableRows::add(const RowBatch& batch) {
  // Checked after every row, so that no chunk outgrows kChunkBytes by more than a row.
  for (const ArtistRow& artist : batch.artists) {
    addArtist(rows_, artist);
    if (!handOnFull()) return false;
  }
  for (const AlbumRow& album : batch.albums) {
    addAlbum(rows_, album);
    if (!handOnFull()) return false;
  }
  for (const TrackRow& track : batch.tracks) {
    addTrack(rows_, track);
    if (!handOnFull()) return false;
  }
  return true;
}

bool TableRows::handOnFull() {
  for (int table = 0; table < kLoadedTableCount; ++table) {
    RowText& rows = rows_[table];
    if (rows.data().size() < kChunkBytes) continue;
    if (!sink_(static_cast<LoadedTable>(table), rows)) return false;
    rows.clear();
  }
  return true;
}

bool TableRows::flush() {
  for (int table = 0; table < kLoadedTableCount; ++table) {
    RowText& rows = rows_[table];
    if (rows.empty()) continue;
    if (!sink_(static_cast<LoadedTable>(table), rows)) return false;
    rows.clear();
  }
  return true;
}
