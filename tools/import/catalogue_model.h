// CatalogueModel: turns checked track lines into the rows of the catalogue's own tables,
// giving every artist name, album key and track its id. Owns the name and album maps for
// the whole import; one thread, no database.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_MODEL_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_MODEL_H_

#include <string>
#include <unordered_map>

#include "tools/import/catalogue_rows.h"
#include "tools/import/tsv_line.h"

class CatalogueModel {
 public:
  // `first`: the first ids to hand out, one past the largest already in the catalogue.
  // `knownArtists` maps the display names already in the catalogue to their ids; those
  // names keep their ids and are not counted as new artists.
  CatalogueModel(FirstIds first, std::unordered_map<std::string, CatalogueId> knownArtists);

  CatalogueModel(const CatalogueModel&) = delete;
  CatalogueModel& operator=(const CatalogueModel&) = delete;

  // Adds the rows of one checked line to the current batch. The first line of an album
  // names it; later lines' album columns are not read.
  void add(const TrackLine& line);

  // Tracks in the current batch.
  size_t batchTracks() const { return batch_.tracks.size(); }

  // Hands over the rows gathered so far and starts an empty batch.
  RowBatch takeBatch();

  long long newArtists() const { return newArtists_; }
  long long albums() const { return static_cast<long long>(albums_.size()); }
  long long tracks() const { return tracks_; }

 private:
  struct Album {
    CatalogueId id;
    CatalogueId artistId;
  };

  // The id of the artist called `name`, made when new; 0 for an empty name.
  CatalogueId artistId(const std::string& name);

  FirstIds next_;
  std::unordered_map<std::string, CatalogueId> artists_;
  std::unordered_map<std::string, Album> albums_;  // by album key
  RowBatch batch_;
  long long newArtists_ = 0;
  long long tracks_ = 0;
};

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_MODEL_H_
