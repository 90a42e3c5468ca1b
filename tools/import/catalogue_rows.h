// The rows one batch adds to the catalogue, as CatalogueModel hands them to BatchWriter.
// Plain values; whoever holds a batch owns it.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_ROWS_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_ROWS_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Id 0 stands for "none" (SQL NULL): real ids start at 1.
using CatalogueId = uint64_t;

// artists, matchartists and matchartistsdisk.
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
  bool multipleArtists;
};

// tracks, matchtracks, triplets and triplets_disk: the track with the names of its artist
// and album beside it.
struct TrackRow {
  CatalogueId id;
  std::string name;
  CatalogueId artistId;
  std::string artistName;
  CatalogueId albumId;
  std::string albumName;
  std::string isrc;  // empty is NULL
  std::optional<uint64_t> upc;
  bool albumMultipleArtists;
  std::string albumArtistName;
};

// What one batch adds to an artist_name_counts row.
struct ArtistNameCount {
  uint64_t tracks = 0;
  uint64_t artists = 0;
};

struct RowBatch {
  std::vector<ArtistRow> artists;
  std::vector<AlbumRow> albums;
  std::vector<TrackRow> tracks;
  // Albums written by an earlier batch whose tracks turned out to have several artists
  // (their lines were not all consecutive); their stored flag must become 1.
  std::vector<CatalogueId> albumsNowMultipleArtists;
  // Added to the name count tables; the names are already cut to their counted length.
  std::map<std::string, uint64_t> trackNameCounts;
  std::map<std::string, uint64_t> albumNameCounts;
  std::map<std::string, ArtistNameCount> artistNameCounts;
};

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_ROWS_H_
