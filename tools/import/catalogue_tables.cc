#include "tools/import/catalogue_tables.h"

#include <utility>

const TableLayout kLoadedTables[kLoadedTableCount] = {
    {kCatalogueTables[0], "id, name, display_name"},
    {kCatalogueTables[1], "id, display_name, normalized_name"},
    {kCatalogueTables[2], "id, name, year, label, upc, upc_type"},
    // multiple_artists is derived.
    {kCatalogueTables[3], "id, name, artist_id"},
    {kCatalogueTables[4], "id, name, artist_id, album_id, isrc, length"},
};

namespace {

// Id 0 stands for no row.
void idOrNull(RowText& row, CatalogueId id) { id != 0 ? row.number(id) : row.null(); }

void addArtist(std::vector<RowText>& rows, const ArtistRow& artist) {
  RowText& artists = rows[kArtistsTable];
  artists.number(artist.id);
  artists.text(artist.name);
  artists.text(artist.name);
  artists.endRow();

  RowText& matchArtists = rows[kMatchArtistsTable];
  matchArtists.number(artist.id);
  matchArtists.text(artist.name);
  matchArtists.text(artist.normalizedName);
  matchArtists.endRow();
}

void addAlbum(std::vector<RowText>& rows, const AlbumRow& album) {
  RowText& albums = rows[kAlbumsTable];
  albums.number(album.id);
  albums.text(album.name);
  albums.null();  // year
  albums.null();  // label
  album.upc ? albums.number(*album.upc) : albums.null();
  album.upc ? albums.text("UPC") : albums.null();
  albums.endRow();

  RowText& matchAlbums = rows[kMatchAlbumsTable];
  matchAlbums.number(album.id);
  matchAlbums.text(album.name);
  idOrNull(matchAlbums, album.artistId);
  matchAlbums.endRow();
}

void addTrack(std::vector<RowText>& rows, const TrackRow& track) {
  RowText& tracks = rows[kTracksTable];
  tracks.number(track.id);
  tracks.text(track.name);
  idOrNull(tracks, track.artistId);
  idOrNull(tracks, track.albumId);
  tracks.textOrNull(track.isrc);
  tracks.null();  // length
  tracks.endRow();
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
