#include "resident/ResidentCatalogue.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <unordered_set>

#include "base/CatalogueId.h"
#include "db/NameCountQueries.h"
#include "db/SqlValues.h"
#include "db/TrackQueries.h"
#include "resident/SqlNumbers.h"
#include "text/Normalize.h"

namespace {

template <typename Row>
const Row* byId(const std::vector<Row>& rows, uint32_t id, uint32_t Row::*field) {
  if (id == ResidentCatalogue::kNoId) return nullptr;
  auto at = std::lower_bound(rows.begin(), rows.end(), id,
                             [field](const Row& row, uint32_t wanted) { return row.*field < wanted; });
  return at != rows.end() && (*at).*field == id ? &*at : nullptr;
}

// The positions of `order` whose row has `id` in `field`: order is sorted by that field.
template <typename Row>
std::pair<const uint32_t*, const uint32_t*> rowsWith(const std::vector<uint32_t>& order,
                                                     const std::vector<Row>& rows, uint32_t id,
                                                     uint32_t Row::*field) {
  const uint32_t* first = order.data();
  const uint32_t* last = first + order.size();
  first = std::lower_bound(first, last, id,
                           [&](uint32_t at, uint32_t wanted) { return rows[at].*field < wanted; });
  last = std::upper_bound(first, last, id,
                          [&](uint32_t wanted, uint32_t at) { return wanted < rows[at].*field; });
  return {first, last};
}

std::string idText(uint32_t id) {
  return id != ResidentCatalogue::kNoId ? catalogueIdText(id) : std::string();
}

std::optional<std::string> optionalId(uint32_t id) {
  if (id == ResidentCatalogue::kNoId) return std::nullopt;
  return catalogueIdText(id);
}

// An id of a track row: absent reads as 0, as a NULL field does.
uint64_t rowId(uint32_t id) { return id != ResidentCatalogue::kNoId ? id : 0; }

// An id as the candidate searches collect them: a number read from its text, which
// stops at the largest int.
int collectedId(uint32_t id) { return id > INT_MAX ? INT_MAX : static_cast<int>(id); }

}  // namespace

size_t ResidentCatalogue::trackCount() const {
  return joined() ? matchTracks_.size() : triplets_.size();
}

size_t ResidentCatalogue::memoryBytes() const {
  auto bytes = [](const auto& rows) { return rows.capacity() * sizeof(rows[0]); };
  return names_.memoryBytes() + bytes(matchArtists_) + artistsByDisplay_.memoryBytes() +
         artistsByNormalized_.memoryBytes() + bytes(matchAlbums_) +
         matchAlbumsByName_.memoryBytes() + bytes(albumArtistStarts_) + bytes(albumArtists_) +
         bytes(albums_) + bytes(albumsByUpc_) + bytes(trackNameCounts_) +
         trackNameCountsByName_.memoryBytes() + bytes(artists_) + bytes(tracks_) +
         tracksByIsrc_.memoryBytes() + bytes(matchTracks_) + matchTracksByName_.memoryBytes() +
         bytes(matchTracksByArtist_) + bytes(matchTracksByAlbum_) + bytes(triplets_) +
         tripletsByName_.memoryBytes() + tripletsByAlbumName_.memoryBytes() +
         tripletsByIsrc_.memoryBytes() + bytes(tripletsByArtist_) + bytes(tripletsByAlbum_) +
         bytes(tripletsByUpc_);
}

ResidentCatalogue::NameMatcher::NameMatcher(const ResidentCatalogue& catalogue,
                                            const std::string& name)
    : catalogue_(catalogue), key_(catalogue.collation_->key(name)) {}

bool ResidentCatalogue::NameMatcher::operator()(NameId name) {
  // SQL NULL equals nothing.
  if (name == kNoName) return false;
  auto known = known_.find(name);
  if (known == known_.end()) {
    known = known_.emplace(name, catalogue_.collation_->key(catalogue_.names_.text(name)) == key_)
                .first;
  }
  return known->second;
}

const ResidentCatalogue::MatchArtist* ResidentCatalogue::matchArtist(uint32_t id) const {
  return byId(matchArtists_, id, &MatchArtist::id);
}
const ResidentCatalogue::MatchAlbum* ResidentCatalogue::matchAlbum(uint32_t id) const {
  return byId(matchAlbums_, id, &MatchAlbum::id);
}
const ResidentCatalogue::Album* ResidentCatalogue::album(uint32_t id) const {
  return byId(albums_, id, &Album::id);
}
const ResidentCatalogue::Artist* ResidentCatalogue::artist(uint32_t id) const {
  return byId(artists_, id, &Artist::id);
}
const ResidentCatalogue::Track* ResidentCatalogue::track(uint32_t id) const {
  return byId(tracks_, id, &Track::id);
}
const ResidentCatalogue::Track* ResidentCatalogue::matchTrack(uint32_t id) const {
  return byId(matchTracks_, id, &Track::id);
}
const ResidentCatalogue::Triplet* ResidentCatalogue::triplet(uint32_t id) const {
  return byId(triplets_, id, &Triplet::trackId);
}

std::vector<uint32_t> ResidentCatalogue::listedIds(const IdList& ids) {
  std::vector<uint32_t> listed;
  for (const auto& id : ids) {
    if (id != nullptr && *id >= 0) listed.push_back(static_cast<uint32_t>(*id));
  }
  std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  return listed;
}

bool ResidentCatalogue::exactTracks(const std::string& artist, const std::string& album,
                                    const std::string& title,
                                    const CatalogueReader::ExactVisitor& visit) const {
  NameMatcher isArtist(*this, artist), isAlbum(*this, album);
  std::vector<std::pair<uint32_t, NameId>> found;  // track id, the track's artist name
  if (joined()) {
    matchTracksByName_.forEachEqual(
        *collation_, names_, title, [&](uint32_t row) { return matchTracks_[row].name; },
        [&](uint32_t row) {
          const Track& track = matchTracks_[row];
          const MatchArtist* trackArtist = matchArtist(track.artistId);
          const MatchAlbum* trackAlbum = matchAlbum(track.albumId);
          if (trackArtist == nullptr || trackAlbum == nullptr) return true;
          if (!isAlbum(trackAlbum->name)) return true;
          bool artistFits = isArtist(trackArtist->display);
          if (!artistFits && !trackAlbum->multipleArtists) {
            const MatchArtist* albumArtist = matchArtist(trackAlbum->artistId);
            artistFits = albumArtist != nullptr && isArtist(albumArtist->display);
          }
          if (artistFits) found.emplace_back(track.id, trackArtist->display);
          return true;
        });
  } else {
    tripletsByName_.forEachEqual(
        *collation_, names_, title, [&](uint32_t row) { return triplets_[row].trackName; },
        [&](uint32_t row) {
          const Triplet& track = triplets_[row];
          if (!isAlbum(track.albumName)) return true;
          if (isArtist(track.artistName) ||
              (!track.multipleArtists && isArtist(track.albumArtistName))) {
            found.emplace_back(track.trackId, track.artistName);
          }
          return true;
        });
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [id, artistName] : found) {
    if (!visit(id, names_.text(artistName))) break;
  }
  return true;
}

IdList ResidentCatalogue::artistIds(const std::string& name) const {
  IdList ids;
  if (is_unknown(name)) return ids;
  artistsByDisplay_.forEachEqual(
      *collation_, names_, name, [&](uint32_t row) { return matchArtists_[row].display; },
      [&](uint32_t row) {
        ids.push_back(std::make_unique<int>(collectedId(matchArtists_[row].id)));
        return true;
      });
  return ids;
}

IdList ResidentCatalogue::albumIds(const std::string& name) const {
  IdList ids;
  matchAlbumsByName_.forEachEqual(
      *collation_, names_, name, [&](uint32_t row) { return matchAlbums_[row].name; },
      [&](uint32_t row) {
        ids.push_back(std::make_unique<int>(collectedId(matchAlbums_[row].id)));
        return true;
      });
  return ids;
}

std::string ResidentCatalogue::normalizedArtistName(const std::string& normalizedName) const {
  std::string displayName;
  if (is_unknown(normalizedName)) return displayName;
  artistsByNormalized_.forEachEqual(
      *collation_, names_, normalizedName,
      [&](uint32_t row) { return matchArtists_[row].normalized; },
      [&](uint32_t row) {
        if (!matchArtists_[row].placeholder) {
          displayName = names_.text(matchArtists_[row].display);
        }
        return true;
      });
  return displayName;
}

int ResidentCatalogue::albumsByUpc(const std::string& upc, std::vector<trackRecord>* albums) const {
  uint64_t value;
  if (!isUpcText(upc) || !parseUnsigned(upc, &value)) return 0;
  int appended = 0;
  for (const Album* found : albumsWithUpcNear(static_cast<double>(value))) {
    if (found->upc != value) continue;
    trackRecord record;
    record.albumId = catalogueIdText(found->id);
    record.albumName = names_.text(found->name);
    albums->push_back(std::move(record));
    ++appended;
  }
  return appended;
}

std::vector<const ResidentCatalogue::Album*> ResidentCatalogue::albumsWithUpcNear(
    double value) const {
  auto first = std::lower_bound(albumsByUpc_.begin(), albumsByUpc_.end(), value,
                                [&](uint32_t at, double wanted) {
                                  return static_cast<double>(albums_[at].upc) < wanted;
                                });
  std::vector<const Album*> found;
  for (auto at = first; at != albumsByUpc_.end(); ++at) {
    if (static_cast<double>(albums_[*at].upc) != value) break;
    found.push_back(&albums_[*at]);
  }
  return found;
}

bool ResidentCatalogue::artistsOfAlbum(const std::string& album,
                                       const CatalogueReader::NameVisitor& visit) const {
  // Each name once, as the collation tells names apart, in the order first met.
  std::unordered_set<std::string> seen;
  auto offer = [&](const MatchArtist* artist) {
    if (artist == nullptr || artist->placeholder) return;
    if (!seen.insert(collation_->key(names_.text(artist->display))).second) return;
    visit(names_.text(artist->display));
  };
  auto nameOf = [&](uint32_t row) { return matchAlbums_[row].name; };
  // The albums' own artists, then the artists of their tracks.
  matchAlbumsByName_.forEachEqual(*collation_, names_, album, nameOf, [&](uint32_t row) {
    offer(matchArtist(matchAlbums_[row].artistId));
    return true;
  });
  matchAlbumsByName_.forEachEqual(*collation_, names_, album, nameOf, [&](uint32_t row) {
    for (uint32_t at = albumArtistStarts_[row]; at < albumArtistStarts_[row + 1]; ++at) {
      offer(matchArtist(albumArtists_[at]));
    }
    return true;
  });
  return true;
}

bool ResidentCatalogue::tracksOfArtists(const IdList& ids,
                                        const CatalogueReader::TrackVisitor& visit) const {
  TrackRow row;
  auto visitAt = [&](uint32_t at) {
    if (joined()) {
      const Track& track = matchTracks_[at];
      const MatchAlbum* trackAlbum = matchAlbum(track.albumId);
      if (trackAlbum == nullptr) return;
      row.trackId = track.id;
      row.trackName = names_.text(track.name);
      row.albumName = names_.text(trackAlbum->name);
      row.albumNameKey = trackAlbum->name;
      row.artistId = rowId(track.artistId);
    } else {
      const Triplet& track = triplets_[at];
      row.trackId = track.trackId;
      row.trackName = names_.text(track.trackName);
      row.albumName = names_.text(track.albumName);
      row.albumNameKey = track.albumName;
      row.artistId = rowId(track.artistId);
    }
    visit(row);
  };
  const std::vector<uint32_t> listed = listedIds(ids);
  auto planned = artistOrders_.find(listed);
  if (planned != artistOrders_.end()) {
    for (uint32_t at : planned->second) visitAt(at);
    return true;
  }
  for (uint32_t id : listed) {
    auto [first, last] = joined()
                             ? rowsWith(matchTracksByArtist_, matchTracks_, id, &Track::artistId)
                             : rowsWith(tripletsByArtist_, triplets_, id, &Triplet::artistId);
    for (; first != last; ++first) visitAt(*first);
  }
  return true;
}

bool ResidentCatalogue::tracksOfAlbums(const IdList& ids,
                                       const CatalogueReader::TrackVisitor& visit) const {
  for (uint32_t id : listedIds(ids)) {
    TrackRow row;
    if (joined()) {
      auto [first, last] = rowsWith(matchTracksByAlbum_, matchTracks_, id, &Track::albumId);
      for (; first != last; ++first) {
        const Track& track = matchTracks_[*first];
        const MatchArtist* trackArtist = matchArtist(track.artistId);
        if (trackArtist == nullptr) continue;
        row.trackId = track.id;
        row.trackName = names_.text(track.name);
        row.artistName = names_.text(trackArtist->display);
        row.artistNameKey = trackArtist->display;
        row.artistId = trackArtist->id;
        row.albumId = rowId(track.albumId);
        visit(row);
      }
    } else {
      auto [first, last] = rowsWith(tripletsByAlbum_, triplets_, id, &Triplet::albumId);
      for (; first != last; ++first) {
        const Triplet& track = triplets_[*first];
        row.trackId = track.trackId;
        row.trackName = names_.text(track.trackName);
        row.artistName = names_.text(track.artistName);
        row.artistNameKey = track.artistName;
        row.artistId = rowId(track.artistId);
        row.albumId = rowId(track.albumId);
        visit(row);
      }
    }
  }
  return true;
}

bool ResidentCatalogue::tracksNamed(const std::string& name,
                                    const CatalogueReader::TrackVisitor& visit) const {
  TrackRow row;
  if (joined()) {
    matchTracksByName_.forEachEqual(
        *collation_, names_, name, [&](uint32_t at) { return matchTracks_[at].name; },
        [&](uint32_t at) {
          const Track& track = matchTracks_[at];
          const MatchArtist* trackArtist = matchArtist(track.artistId);
          const MatchAlbum* trackAlbum = matchAlbum(track.albumId);
          row.trackId = track.id;
          row.trackName = names_.text(track.name);
          row.albumNameKey = trackAlbum != nullptr ? trackAlbum->name : kNoName;
          row.artistNameKey = trackArtist != nullptr ? trackArtist->display : kNoName;
          row.albumName = names_.text(row.albumNameKey);
          row.artistName = names_.text(row.artistNameKey);
          visit(row);
          return true;
        });
  } else {
    tripletsByName_.forEachEqual(
        *collation_, names_, name, [&](uint32_t at) { return triplets_[at].trackName; },
        [&](uint32_t at) {
          const Triplet& track = triplets_[at];
          row.trackId = track.trackId;
          row.trackName = names_.text(track.trackName);
          row.albumName = names_.text(track.albumName);
          row.albumNameKey = track.albumName;
          row.artistName = names_.text(track.artistName);
          row.artistNameKey = track.artistName;
          visit(row);
          return true;
        });
  }
  return true;
}

int ResidentCatalogue::trackNameCount(const std::string& name) const {
  int count = 0;
  trackNameCountsByName_.forEachEqual(
      *collation_, names_, countedName(name),
      [&](uint32_t row) { return trackNameCounts_[row].name; },
      [&](uint32_t row) {
        const uint32_t held = trackNameCounts_[row].count;
        count = held > INT_MAX ? INT_MAX : static_cast<int>(held);
        return false;
      });
  return count;
}

int ResidentCatalogue::tracksByIsrc(const std::string& isrc,
                                    std::vector<trackRecord>* tracks) const {
  int found = 0;
  if (joined()) {
    tracksByIsrc_.forEachEqual(
        *collation_, names_, isrc, [&](uint32_t row) { return tracks_[row].isrc; },
        [&](uint32_t row) {
          const Track& track = tracks_[row];
          const MatchArtist* trackArtist = matchArtist(track.artistId);
          const MatchAlbum* trackAlbum = matchAlbum(track.albumId);
          tracks->push_back({catalogueIdText(track.id), idText(track.artistId),
                             idText(track.albumId), std::string(names_.text(track.name)),
                             trackArtist != nullptr ? std::string(names_.text(trackArtist->display)) : "",
                             trackAlbum != nullptr ? std::string(names_.text(trackAlbum->name)) : ""});
          ++found;
          return true;
        });
  } else {
    tripletsByIsrc_.forEachEqual(
        *collation_, names_, isrc, [&](uint32_t row) { return triplets_[row].isrc; },
        [&](uint32_t row) {
          const Triplet& track = triplets_[row];
          tracks->push_back({catalogueIdText(track.trackId), idText(track.artistId),
                             idText(track.albumId), std::string(names_.text(track.trackName)),
                             std::string(names_.text(track.artistName)),
                             std::string(names_.text(track.albumName))});
          ++found;
          return true;
        });
  }
  return found;
}

void ResidentCatalogue::appendMatchAlbumTracks(uint32_t albumId, const std::string& albumName,
                                               std::list<trackRecord>* tracks, int* read) const {
  auto [first, last] = rowsWith(matchTracksByAlbum_, matchTracks_, albumId, &Track::albumId);
  for (; first != last; ++first) {
    const Track& track = matchTracks_[*first];
    const MatchArtist* trackArtist = matchArtist(track.artistId);
    if (trackArtist == nullptr) continue;
    tracks->push_back({catalogueIdText(track.id), catalogueIdText(trackArtist->id),
                       catalogueIdText(albumId), std::string(names_.text(track.name)),
                       std::string(names_.text(trackArtist->display)), albumName});
    ++*read;
  }
}

int ResidentCatalogue::albumTracksByUpc(const std::string& upc,
                                        std::list<trackRecord>* tracks) const {
  const double value = sqlTextAsNumber(upc);
  int read = 0;
  if (joined()) {
    for (const Album* found : albumsWithUpcNear(value)) {
      appendMatchAlbumTracks(found->id, std::string(names_.text(found->name)), tracks, &read);
    }
    return read;
  }
  auto first = std::lower_bound(tripletsByUpc_.begin(), tripletsByUpc_.end(), value,
                                [&](uint32_t at, double wanted) {
                                  return static_cast<double>(triplets_[at].upc) < wanted;
                                });
  for (auto at = first; at != tripletsByUpc_.end(); ++at) {
    const Triplet& track = triplets_[*at];
    if (static_cast<double>(track.upc) != value) break;
    tracks->push_back({catalogueIdText(track.trackId), idText(track.artistId),
                       idText(track.albumId), std::string(names_.text(track.trackName)),
                       std::string(names_.text(track.artistName)),
                       std::string(names_.text(track.albumName))});
    ++read;
  }
  return read;
}

int ResidentCatalogue::albumTracksByName(const std::string& name,
                                         std::list<trackRecord>* tracks) const {
  int read = 0;
  if (joined()) {
    matchAlbumsByName_.forEachEqual(
        *collation_, names_, name, [&](uint32_t row) { return matchAlbums_[row].name; },
        [&](uint32_t row) {
          appendMatchAlbumTracks(matchAlbums_[row].id, name, tracks, &read);
          return true;
        });
    return read;
  }
  tripletsByAlbumName_.forEachEqual(
      *collation_, names_, name, [&](uint32_t row) { return triplets_[row].albumName; },
      [&](uint32_t row) {
        const Triplet& track = triplets_[row];
        tracks->push_back({catalogueIdText(track.trackId), idText(track.artistId),
                           idText(track.albumId), std::string(names_.text(track.trackName)),
                           std::string(names_.text(track.artistName)), name});
        ++read;
        return true;
      });
  return read;
}

bool ResidentCatalogue::trackNames(const std::string& trackId, TrackColumns* names) const {
  std::string id = trackId;
  uint32_t value;
  if (!checkedTrackId(&id, "selectMinimalTrackByID") || !parseTrackId(id, &value)) return false;
  if (joined()) {
    const Track* found = track(value);
    if (found == nullptr) return false;
    const Album* foundAlbum = album(found->albumId);
    const Artist* foundArtist = artist(found->artistId);
    if (foundAlbum == nullptr || foundArtist == nullptr) return false;
    names->trackName = std::string(names_.text(found->name));
    names->artistId = catalogueIdText(found->artistId);
    names->artistName = std::string(names_.text(foundArtist->display));
    names->albumId = catalogueIdText(found->albumId);
    names->albumName = std::string(names_.text(foundAlbum->name));
    return true;
  }
  const Triplet* found = triplet(value);
  if (found == nullptr) return false;
  auto optionalName = [&](NameId name) -> std::optional<std::string> {
    if (name == kNoName) return std::nullopt;
    return std::string(names_.text(name));
  };
  names->trackName = optionalName(found->trackName);
  names->artistId = optionalId(found->artistId);
  names->artistName = optionalName(found->artistName);
  names->albumId = optionalId(found->albumId);
  names->albumName = optionalName(found->albumName);
  return true;
}
