// CatalogueReader: where the retrieval functions read their rows, either the catalogue's
// statements or the resident catalogue. Both give the same rows in the same order, so the
// scoring above them cannot tell which one it reads. An engine owns its reader and calls
// it from its own thread; text in a visited row lives until the visitor returns.
#ifndef OSTREV_LIBMATCH_GETDATA_CATALOGUEREADER_H_
#define OSTREV_LIBMATCH_GETDATA_CATALOGUEREADER_H_

#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/TrackQueries.h"
#include "getdata/TrackRecord.h"

// Rows that carry no name key: the reader cannot tell equal names apart cheaply.
constexpr uint32_t kNoNameKey = 0xFFFFFFFF;

// One candidate track row; absent ids are 0, absent names empty.
struct TrackRow {
  uint64_t trackId = 0;
  std::string_view trackName;
  std::string_view artistName;
  std::string_view albumName;
  uint64_t artistId = 0;
  uint64_t albumId = 0;
  // Equal for rows whose album (artist) name is the same text, else kNoNameKey: lets a
  // caller score each distinct name of a long list once.
  uint32_t albumNameKey = kNoNameKey;
  uint32_t artistNameKey = kNoNameKey;
};

// The names and ids of one track; a field stays empty when its column was NULL.
struct TrackColumns {
  std::optional<std::string> trackName, artistId, artistName, albumId, albumName;
};

class CatalogueReader {
 public:
  using TrackVisitor = std::function<void(const TrackRow&)>;
  // Returns false to stop reading.
  using ExactVisitor = std::function<bool(uint64_t trackId, std::string_view artistName)>;
  using NameVisitor = std::function<void(std::string_view name)>;

  virtual ~CatalogueReader() = default;

  // The tracks named `title` on an album named `album` whose own artist, or the album's
  // single artist, is named `artist`: id and the track's artist, highest id first.
  virtual bool exactTracks(const std::string& artist, const std::string& album,
                           const std::string& title, const ExactVisitor& visit) = 0;
  // The ids of the artists (albums) of that name; none for a placeholder artist name.
  virtual IdList artistIds(const std::string& name) = 0;
  virtual IdList albumIds(const std::string& name) = 0;
  // A display name of a non-placeholder artist with that normalized name, or "".
  virtual std::string normalizedArtistName(const std::string& normalizedName) = 0;
  // Appends id and name of the albums with that UPC (digits only); how many.
  virtual int albumsByUpc(const std::string& upc, std::vector<trackRecord>* albums) = 0;
  // The names of the non-placeholder artists of the albums of that name, and of their
  // tracks, each once.
  virtual bool artistsOfAlbum(const std::string& album, const NameVisitor& visit) = 0;
  // Track rows (id, name, album name, artist id) of those artists.
  virtual bool tracksOfArtists(const IdList& ids, const TrackVisitor& visit) = 0;
  // Track rows (id, name, artist name, artist id, album id) of those albums.
  virtual bool tracksOfAlbums(const IdList& ids, const TrackVisitor& visit) = 0;
  // Track rows (id, name, album name, artist name) of the tracks of that name.
  virtual bool tracksNamed(const std::string& name, const TrackVisitor& visit) = 0;
  // How many tracks carry that name, as the name counts say (0 when unknown).
  virtual int trackNameCount(const std::string& name) = 0;
  // Appends the tracks carrying that ISRC; how many.
  virtual int tracksByIsrc(const std::string& isrc, std::vector<trackRecord>* tracks) = 0;
  // Appends the tracks of the album with that UPC (of the albums of that name); rows read,
  // -1 without a result.
  virtual int albumTracksByUpc(const std::string& upc, std::list<trackRecord>* tracks) = 0;
  virtual int albumTracksByName(const std::string& name, std::list<trackRecord>* tracks) = 0;
  // The names and ids of one track; false when the catalogue has no such track.
  virtual bool trackNames(const std::string& trackId, TrackColumns* names) = 0;
};

#endif  // OSTREV_LIBMATCH_GETDATA_CATALOGUEREADER_H_
