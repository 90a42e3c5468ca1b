// ResidentCatalogue: every row the lookups read, held in memory in the order the lookup
// statements return them, with names stored once and compared as the catalogue's
// collation compares them. Loaded whole by one thread (ResidentLoader), then immutable:
// any number of threads read one copy at once through shared pointers.
#ifndef OSTREV_LIBMATCH_RESIDENT_RESIDENTCATALOGUE_H_
#define OSTREV_LIBMATCH_RESIDENT_RESIDENTCATALOGUE_H_

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "getdata/CatalogueReader.h"
#include "resident/Collation.h"
#include "resident/NameClassIndex.h"
#include "resident/NameStore.h"

// Which tables the track statements read: the joined catalogue tables, or one of the two
// triplets tables.
enum class TrackTables { kJoined, kTriplets, kTripletsDisk };

class ResidentCatalogue {
 public:
  ResidentCatalogue(const ResidentCatalogue&) = delete;
  ResidentCatalogue& operator=(const ResidentCatalogue&) = delete;

  size_t trackCount() const;
  size_t memoryBytes() const;

  // An absent (NULL) id; 0 is an id like any other.
  static constexpr uint32_t kNoId = 0xFFFFFFFF;

  // The statements' rows, as CatalogueReader describes them.
  bool exactTracks(const std::string& artist, const std::string& album,
                   const std::string& title, const CatalogueReader::ExactVisitor& visit) const;
  IdList artistIds(const std::string& name) const;
  IdList albumIds(const std::string& name) const;
  std::string normalizedArtistName(const std::string& normalizedName) const;
  int albumsByUpc(const std::string& upc, std::vector<trackRecord>* albums) const;
  bool artistsOfAlbum(const std::string& album, const CatalogueReader::NameVisitor& visit) const;
  bool tracksOfArtists(const IdList& ids, const CatalogueReader::TrackVisitor& visit) const;
  bool tracksOfAlbums(const IdList& ids, const CatalogueReader::TrackVisitor& visit) const;
  bool tracksNamed(const std::string& name, const CatalogueReader::TrackVisitor& visit) const;
  int trackNameCount(const std::string& name) const;
  int tracksByIsrc(const std::string& isrc, std::vector<trackRecord>* tracks) const;
  int albumTracksByUpc(const std::string& upc, std::list<trackRecord>* tracks) const;
  int albumTracksByName(const std::string& name, std::list<trackRecord>* tracks) const;
  bool trackNames(const std::string& trackId, TrackColumns* names) const;

 private:
  friend class ResidentLoader;

  struct MatchArtist {
    uint32_t id;
    NameId display;
    NameId normalized;
    bool placeholder;  // the display name is one of the placeholder names
  };
  struct MatchAlbum {
    uint32_t id;
    NameId name;
    uint32_t artistId;
    bool multipleArtists;
  };
  struct Album {  // the albums table: names and UPCs
    uint32_t id;
    NameId name;
    bool hasUpc;
    uint64_t upc;
  };
  struct Artist {  // the artists table: the names an answer shows
    uint32_t id;
    NameId display;
  };
  struct Track {  // tracks and matchtracks, which share their ids
    uint32_t id;
    NameId name;
    uint32_t artistId;
    uint32_t albumId;
    NameId isrc;
  };
  struct Triplet {
    uint32_t trackId;
    NameId trackName;
    uint32_t artistId;
    NameId artistName;
    uint32_t albumId;
    NameId albumName;
    NameId isrc;
    NameId albumArtistName;
    bool multipleArtists;
    bool hasUpc;
    uint64_t upc;
  };
  struct NameCount {
    NameId name;
    uint32_t count;
  };

  explicit ResidentCatalogue(TrackTables tables, std::unique_ptr<Collation> collation)
      : tables_(tables), collation_(std::move(collation)) {}

  bool joined() const { return tables_ == TrackTables::kJoined; }
  // Whether a stored name equals one name as the collation compares them; each stored
  // name is compared once.
  class NameMatcher {
   public:
    NameMatcher(const ResidentCatalogue& catalogue, const std::string& name);
    bool operator()(NameId name);

   private:
    const ResidentCatalogue& catalogue_;
    const std::string key_;
    std::unordered_map<NameId, bool> known_;
  };

  // Row lookups by id; null when absent.
  const MatchArtist* matchArtist(uint32_t id) const;
  const MatchAlbum* matchAlbum(uint32_t id) const;
  const Album* album(uint32_t id) const;
  const Artist* artist(uint32_t id) const;
  const Track* track(uint32_t id) const;
  const Track* matchTrack(uint32_t id) const;
  const Triplet* triplet(uint32_t id) const;

  // The ids of a statement's "in ( ... )" list, ascending and each once.
  static std::vector<uint32_t> listedIds(const IdList& ids);
  // Albums with a UPC equal to `value` compared as a number, in the upc index's order.
  std::vector<const Album*> albumsWithUpcNear(double value) const;
  // Appends the match tracks of one album with their artists, in the album index's order.
  void appendMatchAlbumTracks(uint32_t albumId, const std::string& albumName,
                              std::list<trackRecord>* tracks, int* read) const;

  TrackTables tables_;
  std::unique_ptr<Collation> collation_;
  NameStore names_;

  std::vector<MatchArtist> matchArtists_;  // by id
  NameClassIndex artistsByDisplay_, artistsByNormalized_;
  std::vector<MatchAlbum> matchAlbums_;  // by id
  NameClassIndex matchAlbumsByName_;
  // For each match album (as matchAlbums_), the distinct artist ids of its match tracks,
  // ascending: albumArtists_[albumArtistStarts_[i], albumArtistStarts_[i + 1]).
  std::vector<uint32_t> albumArtistStarts_, albumArtists_;
  std::vector<Album> albums_;                   // by id
  std::vector<uint32_t> albumsByUpc_;           // albums_ positions with a UPC, by (upc, id)
  std::vector<NameCount> trackNameCounts_;
  NameClassIndex trackNameCountsByName_;

  // The joined tables.
  std::vector<Artist> artists_;         // by id
  std::vector<Track> tracks_;           // the tracks table, by id
  NameClassIndex tracksByIsrc_;
  std::vector<Track> matchTracks_;      // by id
  NameClassIndex matchTracksByName_;
  // matchTracks_ positions by (artist id, album id, name, id) and by (album id, artist id,
  // name, id), names in collation order: the orders of the two covering indexes.
  std::vector<uint32_t> matchTracksByArtist_, matchTracksByAlbum_;

  // Classes of same-named artists whose tracks the server reads in another order than the
  // artist index's (albums first by name, or the whole table by track id), as it planned
  // them when the catalogue was read: their ids, and the positions of their rows (in
  // matchTracks_ or triplets_) in that order.
  std::map<std::vector<uint32_t>, std::vector<uint32_t>> artistOrders_;

  // The order in which the server reads the match tracks whole for the fuzzy index: the
  // scan of the index it would choose, as it planned when the catalogue was read. The
  // index keeps that order, since candidates of equal names are taken in it.
  enum class MatchTrackScan { kById, kByArtist, kByAlbum, kByName };
  MatchTrackScan indexScan_ = MatchTrackScan::kById;

  // The triplets table.
  std::vector<Triplet> triplets_;  // by track id
  NameClassIndex tripletsByName_, tripletsByAlbumName_, tripletsByIsrc_;
  std::vector<uint32_t> tripletsByArtist_, tripletsByAlbum_;  // by (artist/album id, track id)
  std::vector<uint32_t> tripletsByUpc_;                       // by (upc, track id)
};

#endif  // OSTREV_LIBMATCH_RESIDENT_RESIDENTCATALOGUE_H_
