// The rows one batch adds to the catalogue's own tables, as CatalogueModel hands them to a
// CatalogueWriter; every other table is derived from these by the database. Plain values;
// whoever holds a batch owns it.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_ROWS_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_ROWS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Id 0 stands for "none" (SQL NULL): real ids start at 1.
using CatalogueId = uint64_t;

// The first ids of a batch or of an import: one past the largest before it.
struct FirstIds {
  CatalogueId artist = 1;
  CatalogueId album = 1;
  CatalogueId track = 1;
};

// artists and matchartists.
struct ArtistRow {
  CatalogueId id;
  std::string name;
  std::string normalizedName;
};

// albums and matchalbums.
struct AlbumRow {
  CatalogueId id;
  std::string name;
  CatalogueId artistId;
  std::optional<uint64_t> upc;
};

// tracks.
struct TrackRow {
  CatalogueId id;
  std::string name;
  CatalogueId artistId;
  CatalogueId albumId;
  std::string isrc;  // empty is NULL
};

struct RowBatch {
  FirstIds first;  // every row of the batch has an id from these on
  std::vector<ArtistRow> artists;
  std::vector<AlbumRow> albums;
  std::vector<TrackRow> tracks;
};

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_ROWS_H_
