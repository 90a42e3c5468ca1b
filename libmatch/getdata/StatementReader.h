// StatementReader: the catalogue reader that sends the lookup statements on a catalogue
// handle and streams their rows. Does not own the handle; used by the handle's thread.
#ifndef OSTREV_LIBMATCH_GETDATA_STATEMENTREADER_H_
#define OSTREV_LIBMATCH_GETDATA_STATEMENTREADER_H_

#include <mysql.h>

#include "getdata/CatalogueReader.h"

class StatementReader : public CatalogueReader {
 public:
  explicit StatementReader(st_mysql* handle) : handle_(handle) {}

  bool exactTracks(const std::string& artist, const std::string& album,
                   const std::string& title, const ExactVisitor& visit) override;
  IdList artistIds(const std::string& name) override;
  IdList albumIds(const std::string& name) override;
  std::string normalizedArtistName(const std::string& normalizedName) override;
  int albumsByUpc(const std::string& upc, std::vector<trackRecord>* albums) override;
  bool artistsOfAlbum(const std::string& album, const NameVisitor& visit) override;
  bool tracksOfArtists(const IdList& ids, const TrackVisitor& visit) override;
  bool tracksOfAlbums(const IdList& ids, const TrackVisitor& visit) override;
  bool tracksNamed(const std::string& name, const TrackVisitor& visit) override;
  int trackNameCount(const std::string& name) override;
  int tracksByIsrc(const std::string& isrc, std::vector<trackRecord>* tracks) override;
  int albumTracksByUpc(const std::string& upc, std::list<trackRecord>* tracks) override;
  int albumTracksByName(const std::string& name, std::list<trackRecord>* tracks) override;
  bool trackNames(const std::string& trackId, TrackColumns* names) override;

 private:
  // Where each field of a TrackRow is in a statement's row; -1 for none.
  struct TrackFieldsAt {
    int trackId, trackName, artistName, albumName, artistId, albumId;
  };
  // Streams the rows of the statement just sent, if `sent`, as track rows.
  bool visitTrackRows(bool sent, const TrackFieldsAt& at, const TrackVisitor& visit);

  st_mysql* handle_;
};

#endif  // OSTREV_LIBMATCH_GETDATA_STATEMENTREADER_H_
