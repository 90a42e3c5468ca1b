// ResidentReader: the catalogue reader that answers from the resident catalogue. It keeps
// one catalogue for a whole request, even when a newer one is swapped in meanwhile. One
// per engine; used by that engine's thread.
#ifndef OSTREV_LIBMATCH_RESIDENT_RESIDENTREADER_H_
#define OSTREV_LIBMATCH_RESIDENT_RESIDENTREADER_H_

#include <memory>

#include "getdata/CatalogueReader.h"
#include "resident/ResidentCatalogue.h"

class ResidentReader : public CatalogueReader {
 public:
  void pin(std::shared_ptr<const ResidentCatalogue> catalogue) { catalogue_ = std::move(catalogue); }
  bool pinned() const { return catalogue_ != nullptr; }
  void unpin() { catalogue_.reset(); }

  bool exactTracks(const std::string& artist, const std::string& album,
                   const std::string& title, const ExactVisitor& visit) override {
    return catalogue_->exactTracks(artist, album, title, visit);
  }
  IdList artistIds(const std::string& name) override { return catalogue_->artistIds(name); }
  IdList albumIds(const std::string& name) override { return catalogue_->albumIds(name); }
  std::string normalizedArtistName(const std::string& normalizedName) override {
    return catalogue_->normalizedArtistName(normalizedName);
  }
  int albumsByUpc(const std::string& upc, std::vector<trackRecord>* albums) override {
    return catalogue_->albumsByUpc(upc, albums);
  }
  bool artistsOfAlbum(const std::string& album, const NameVisitor& visit) override {
    return catalogue_->artistsOfAlbum(album, visit);
  }
  bool tracksOfArtists(const IdList& ids, const TrackVisitor& visit) override {
    return catalogue_->tracksOfArtists(ids, visit);
  }
  bool tracksOfAlbums(const IdList& ids, const TrackVisitor& visit) override {
    return catalogue_->tracksOfAlbums(ids, visit);
  }
  bool tracksNamed(const std::string& name, const TrackVisitor& visit) override {
    return catalogue_->tracksNamed(name, visit);
  }
  int trackNameCount(const std::string& name) override { return catalogue_->trackNameCount(name); }
  int tracksByIsrc(const std::string& isrc, std::vector<trackRecord>* tracks) override {
    return catalogue_->tracksByIsrc(isrc, tracks);
  }
  int albumTracksByUpc(const std::string& upc, std::list<trackRecord>* tracks) override {
    return catalogue_->albumTracksByUpc(upc, tracks);
  }
  int albumTracksByName(const std::string& name, std::list<trackRecord>* tracks) override {
    return catalogue_->albumTracksByName(name, tracks);
  }
  bool trackNames(const std::string& trackId, TrackColumns* names) override {
    return catalogue_->trackNames(trackId, names);
  }

 private:
  std::shared_ptr<const ResidentCatalogue> catalogue_;
};

#endif  // OSTREV_LIBMATCH_RESIDENT_RESIDENTREADER_H_
