// CatalogueModel: turns checked track lines into catalogue rows. It gives every artist
// name, album key and track its id, decides each album's multiple-artists flag and counts
// the names. Owns the name and album maps for the whole import; one thread, no database.
#ifndef OSTREV_TOOLS_IMPORT_CATALOGUE_MODEL_H_
#define OSTREV_TOOLS_IMPORT_CATALOGUE_MODEL_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "tools/import/catalogue_rows.h"
#include "tools/import/tsv_line.h"

// The first ids to hand out: one past the largest already in the catalogue.
struct FirstIds {
  CatalogueId artist = 1;
  CatalogueId album = 1;
  CatalogueId track = 1;
};

class CatalogueModel {
 public:
  // `knownArtists` maps the display names already in the catalogue to their ids; those
  // names keep their ids and are not counted as new artists.
  CatalogueModel(FirstIds first, std::unordered_map<std::string, CatalogueId> knownArtists);

  CatalogueModel(const CatalogueModel&) = delete;
  CatalogueModel& operator=(const CatalogueModel&) = delete;

  // Adds the track of one checked line. Its rows wait until its album's lines end (the
  // next line belongs to another album, or finish()), since only then is the album's
  // multiple-artists flag known.
  void add(const TrackLine& line);

  // Ends the album being read; call after the last line.
  void finish();

  // Tracks whose rows are ready in the current batch.
  size_t readyTracks() const { return batch_.tracks.size(); }

  // Hands over the rows gathered so far and starts an empty batch.
  RowBatch takeBatch();

  long long newArtists() const { return newArtists_; }
  long long albums() const { return static_cast<long long>(albums_.size()); }
  long long tracks() const { return tracks_; }

 private:
  struct Album {
    CatalogueId id;
    std::string name;
    CatalogueId artistId;
    std::string artistName;
    std::optional<uint64_t> upc;
    bool multipleArtists = false;
    bool written = false;          // its album rows are in a batch already
    bool writtenMultiple = false;  // the flag those rows carried
  };

  struct PendingTrack {
    CatalogueId id;
    std::string name;
    CatalogueId artistId;
    std::string artistName;
    std::string isrc;
  };

  // The id of the artist called `name`, made when new; 0 for an empty name.
  CatalogueId artistId(const std::string& name);
  void closeAlbum();

  CatalogueId nextArtist_;
  CatalogueId nextAlbum_;
  CatalogueId nextTrack_;
  std::unordered_map<std::string, CatalogueId> artists_;
  std::unordered_map<std::string, Album> albums_;  // by album key
  Album* current_ = nullptr;                       // points into albums_
  std::vector<PendingTrack> pending_;              // tracks of current_ not yet in the batch
  RowBatch batch_;
  long long newArtists_ = 0;
  long long tracks_ = 0;
};

#endif  // OSTREV_TOOLS_IMPORT_CATALOGUE_MODEL_H_
