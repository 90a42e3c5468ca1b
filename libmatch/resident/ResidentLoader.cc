#include "resident/ResidentLoader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>

#include "db/FuzzyIndexQueries.h"
#include "db/QueryResult.h"
#include "db/ResidentQueries.h"
#include "db/TrackQueries.h"
#include "text/Normalize.h"

namespace {

uint32_t idField(const char* field) {
  return field != nullptr ? static_cast<uint32_t>(strtoul(field, nullptr, 10))
                          : ResidentCatalogue::kNoId;
}

bool flagField(const char* field) { return field != nullptr && strtoul(field, nullptr, 10) != 0; }

template <typename Row>
void sortById(std::vector<Row>* rows, uint32_t Row::*id) {
  std::sort(rows->begin(), rows->end(), [id](const Row& a, const Row& b) { return a.*id < b.*id; });
  rows->shrink_to_fit();
}

// Positions 0..n-1 of `rows` with `keep`, ordered by `less`.
template <typename Rows, typename Keep, typename Less>
std::vector<uint32_t> orderOf(const Rows& rows, Keep keep, Less less) {
  std::vector<uint32_t> order;
  for (uint32_t at = 0; at < rows.size(); ++at) {
    if (keep(rows[at])) order.push_back(at);
  }
  std::sort(order.begin(), order.end(), less);
  order.shrink_to_fit();
  return order;
}

// The positions of `order` whose row has `id` in `field`; order is sorted by that field.
template <typename Row>
std::pair<std::vector<uint32_t>::const_iterator, std::vector<uint32_t>::const_iterator> rowsOf(
    const std::vector<uint32_t>& order, const std::vector<Row>& rows, uint32_t id,
    uint32_t Row::*field) {
  auto first = std::lower_bound(order.begin(), order.end(), id, [&](uint32_t at, uint32_t wanted) {
    return rows[at].*field < wanted;
  });
  auto last = std::upper_bound(first, order.end(), id, [&](uint32_t wanted, uint32_t at) {
    return wanted < rows[at].*field;
  });
  return {first, last};
}

// For every name of `used`, its place in the collation's order (equal names share one),
// indexed by name id. Names are first ordered by the start of their keys, and only names
// whose starts tie have their whole keys compared.
std::vector<uint32_t> collationRanks(const Collation& collation, const NameStore& names,
                                     std::vector<NameId> used) {
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  const std::string_view pad = collation.padWeights();
  std::vector<std::pair<uint64_t, NameId>> starts;
  starts.reserve(used.size());
  for (NameId name : used) {
    const std::string key = collation.key(names.text(name));
    // Big-endian, so that numbers order as the bytes do; a short key goes on as
    // compareKeys pads it, so that starts never order two names the other way round.
    uint64_t start = 0;
    for (size_t i = 0; i < 8; ++i) {
      unsigned char byte = 0;
      if (i < key.size()) {
        byte = static_cast<unsigned char>(key[i]);
      } else if (!pad.empty() && collation.padsKey(key)) {
        byte = static_cast<unsigned char>(pad[(i - key.size()) % pad.size()]);
      }
      start = start << 8 | byte;
    }
    starts.emplace_back(start, name);
  }
  std::sort(starts.begin(), starts.end());
  std::vector<uint32_t> ranks(names.count(), 0);
  uint32_t rank = 0;
  std::vector<std::pair<std::string, NameId>> tied;
  for (size_t first = 0; first < starts.size();) {
    size_t last = first + 1;
    while (last < starts.size() && starts[last].first == starts[first].first) ++last;
    tied.clear();
    for (size_t at = first; at < last; ++at) {
      tied.emplace_back(collation.key(names.text(starts[at].second)), starts[at].second);
    }
    std::stable_sort(tied.begin(), tied.end(), [&](const auto& a, const auto& b) {
      return collation.compareKeys(a.first, b.first) < 0;
    });
    for (size_t at = 0; at < tied.size(); ++at) {
      if (at > 0 && collation.compareKeys(tied[at - 1].first, tied[at].first) != 0) ++rank;
      ranks[tied[at].second] = rank;
    }
    ++rank;
    first = last;
  }
  return ranks;
}

}  // namespace

template <typename Row>
bool ResidentLoader::readRows(bool sent, const char* what, unsigned fields, Row row) {
  if (!sent) {
    *error_ = std::string(what) + " not read: " + mysql_error(handle_);
    return false;
  }
  QueryResult rows(handle_);
  if (!rows.ok() || rows.fieldCount() < fields) {
    *error_ = std::string(what) + " not read: " + mysql_error(handle_);
    return false;
  }
  while (MYSQL_ROW fields = rows.next()) row(fields);
  if (mysql_errno(handle_) != 0) {
    *error_ = std::string(what) + " not read whole: " + mysql_error(handle_);
    return false;
  }
  return true;
}

bool ResidentLoader::readMatchArtists() {
  ResidentCatalogue& c = *catalogue_;
  NameStore& names = c.names_;
  if (!readRows(selectAllMatchArtists(handle_), "matchartists", 3, [&](MYSQL_ROW row) {
        c.matchArtists_.push_back({idField(row[0]),
                                   row[1] != nullptr ? names.intern(row[1]) : kNoName,
                                   row[2] != nullptr ? names.intern(row[2]) : kNoName, false});
      })) {
    return false;
  }
  sortById(&c.matchArtists_, &ResidentCatalogue::MatchArtist::id);
  std::vector<std::string> placeholders;
  for (const std::string& name : placeholderArtistNames()) {
    placeholders.push_back(c.collation_->key(name));
  }
  NameKeyHashes hashes(*c.collation_, names);
  for (uint32_t at = 0; at < c.matchArtists_.size(); ++at) {
    ResidentCatalogue::MatchArtist& artist = c.matchArtists_[at];
    if (artist.display != kNoName) {
      const std::string key = c.collation_->key(names.text(artist.display));
      artist.placeholder =
          std::find(placeholders.begin(), placeholders.end(), key) != placeholders.end();
      c.artistsByDisplay_.add(hashes.of(artist.display), at);
    }
    if (artist.normalized != kNoName) c.artistsByNormalized_.add(hashes.of(artist.normalized), at);
  }
  c.artistsByDisplay_.finish();
  c.artistsByNormalized_.finish();
  return true;
}

bool ResidentLoader::readMatchAlbums() {
  ResidentCatalogue& c = *catalogue_;
  if (!readRows(selectAllMatchAlbums(handle_), "matchalbums", 4, [&](MYSQL_ROW row) {
        c.matchAlbums_.push_back({idField(row[0]),
                                  row[1] != nullptr ? c.names_.intern(row[1]) : kNoName,
                                  idField(row[2]), flagField(row[3])});
      })) {
    return false;
  }
  sortById(&c.matchAlbums_, &ResidentCatalogue::MatchAlbum::id);
  NameKeyHashes hashes(*c.collation_, c.names_);
  for (uint32_t at = 0; at < c.matchAlbums_.size(); ++at) {
    if (c.matchAlbums_[at].name != kNoName) {
      c.matchAlbumsByName_.add(hashes.of(c.matchAlbums_[at].name), at);
    }
  }
  c.matchAlbumsByName_.finish();
  return true;
}

bool ResidentLoader::readAlbums() {
  ResidentCatalogue& c = *catalogue_;
  if (!readRows(selectAllAlbumUpcs(handle_), "albums", 3, [&](MYSQL_ROW row) {
        c.albums_.push_back({idField(row[0]),
                             row[1] != nullptr ? c.names_.intern(row[1]) : kNoName,
                             row[2] != nullptr,
                             row[2] != nullptr ? strtoull(row[2], nullptr, 10) : 0});
      })) {
    return false;
  }
  sortById(&c.albums_, &ResidentCatalogue::Album::id);
  c.albumsByUpc_ = orderOf(
      c.albums_, [](const ResidentCatalogue::Album& album) { return album.hasUpc; },
      [&](uint32_t a, uint32_t b) {
        return std::tie(c.albums_[a].upc, c.albums_[a].id) <
               std::tie(c.albums_[b].upc, c.albums_[b].id);
      });
  return true;
}

bool ResidentLoader::readTrackNameCounts() {
  ResidentCatalogue& c = *catalogue_;
  if (!readRows(selectAllTrackNameCounts(handle_), "track_name_counts", 2, [&](MYSQL_ROW row) {
        if (row[0] == nullptr) return;
        c.trackNameCounts_.push_back({c.names_.intern(row[0]), idField(row[1])});
      })) {
    return false;
  }
  c.trackNameCounts_.shrink_to_fit();
  NameKeyHashes hashes(*c.collation_, c.names_);
  for (uint32_t at = 0; at < c.trackNameCounts_.size(); ++at) {
    c.trackNameCountsByName_.add(hashes.of(c.trackNameCounts_[at].name), at);
  }
  c.trackNameCountsByName_.finish();
  return true;
}

bool ResidentLoader::readArtists() {
  ResidentCatalogue& c = *catalogue_;
  if (!readRows(selectAllArtistNames(handle_), "artists", 2, [&](MYSQL_ROW row) {
        c.artists_.push_back(
            {idField(row[0]), row[1] != nullptr ? c.names_.intern(row[1]) : kNoName});
      })) {
    return false;
  }
  sortById(&c.artists_, &ResidentCatalogue::Artist::id);
  return true;
}

bool ResidentLoader::readTracks() {
  ResidentCatalogue& c = *catalogue_;
  if (!readRows(selectAllTracks(handle_), "tracks", 5, [&](MYSQL_ROW row) {
        c.tracks_.push_back({idField(row[0]),
                             row[1] != nullptr ? c.names_.intern(row[1]) : kNoName,
                             idField(row[2]), idField(row[3]),
                             row[4] != nullptr ? c.names_.intern(row[4]) : kNoName});
      })) {
    return false;
  }
  sortById(&c.tracks_, &ResidentCatalogue::Track::id);
  NameKeyHashes hashes(*c.collation_, c.names_);
  for (uint32_t at = 0; at < c.tracks_.size(); ++at) {
    if (c.tracks_[at].isrc != kNoName) c.tracksByIsrc_.add(hashes.of(c.tracks_[at].isrc), at);
  }
  c.tracksByIsrc_.finish();
  return true;
}

bool ResidentLoader::readMatchTracks() {
  ResidentCatalogue& c = *catalogue_;
  if (!readRows(selectAllMatchTracks(handle_), "matchtracks", 4, [&](MYSQL_ROW row) {
        c.matchTracks_.push_back({idField(row[0]),
                                  row[1] != nullptr ? c.names_.intern(row[1]) : kNoName,
                                  idField(row[2]), idField(row[3]), kNoName});
      })) {
    return false;
  }
  sortById(&c.matchTracks_, &ResidentCatalogue::Track::id);
  indexMatchTracks();
  albumArtistsFromMatchTracks();
  return true;
}

void ResidentLoader::indexMatchTracks() {
  ResidentCatalogue& c = *catalogue_;
  const std::vector<ResidentCatalogue::Track>& tracks = c.matchTracks_;
  NameKeyHashes hashes(*c.collation_, c.names_);
  std::vector<NameId> used;
  used.reserve(tracks.size());
  for (uint32_t at = 0; at < tracks.size(); ++at) {
    c.matchTracksByName_.add(hashes.of(tracks[at].name), at);
    used.push_back(tracks[at].name);
  }
  c.matchTracksByName_.finish();
  // The two covering indexes order names as the collation does, and equal names by id.
  trackNameRanks_ = collationRanks(*c.collation_, c.names_, std::move(used));
  const std::vector<uint32_t>& rank = trackNameRanks_;
  auto byArtist = [&](uint32_t a, uint32_t b) {
    const auto& x = tracks[a];
    const auto& y = tracks[b];
    return std::make_tuple(x.artistId, x.albumId, rank[x.name], x.id) <
           std::make_tuple(y.artistId, y.albumId, rank[y.name], y.id);
  };
  auto byAlbum = [&](uint32_t a, uint32_t b) {
    const auto& x = tracks[a];
    const auto& y = tracks[b];
    return std::make_tuple(x.albumId, x.artistId, rank[x.name], x.id) <
           std::make_tuple(y.albumId, y.artistId, rank[y.name], y.id);
  };
  c.matchTracksByArtist_ = orderOf(
      tracks, [](const ResidentCatalogue::Track& t) { return t.artistId != ResidentCatalogue::kNoId; }, byArtist);
  c.matchTracksByAlbum_ = orderOf(
      tracks, [](const ResidentCatalogue::Track& t) { return t.albumId != ResidentCatalogue::kNoId; }, byAlbum);
}

void ResidentLoader::albumArtistsFromMatchTracks() {
  ResidentCatalogue& c = *catalogue_;
  c.albumArtistStarts_.assign(1, 0);
  size_t at = 0;
  const std::vector<uint32_t>& order = c.matchTracksByAlbum_;
  for (const ResidentCatalogue::MatchAlbum& album : c.matchAlbums_) {
    while (at < order.size() && c.matchTracks_[order[at]].albumId < album.id) ++at;
    for (; at < order.size() && c.matchTracks_[order[at]].albumId == album.id; ++at) {
      const uint32_t artist = c.matchTracks_[order[at]].artistId;
      const bool repeated = c.albumArtists_.size() > c.albumArtistStarts_.back() &&
                            c.albumArtists_.back() == artist;
      if (artist != ResidentCatalogue::kNoId && !repeated) c.albumArtists_.push_back(artist);
    }
    c.albumArtistStarts_.push_back(static_cast<uint32_t>(c.albumArtists_.size()));
  }
  c.albumArtists_.shrink_to_fit();
}

bool ResidentLoader::readAlbumArtists() {
  ResidentCatalogue& c = *catalogue_;
  std::vector<std::pair<uint32_t, uint32_t>> pairs;  // album id, artist id
  if (!readRows(selectMatchTrackAlbumArtists(handle_), "matchtracks", 2, [&](MYSQL_ROW row) {
        pairs.emplace_back(idField(row[0]), idField(row[1]));
      })) {
    return false;
  }
  std::sort(pairs.begin(), pairs.end());
  c.albumArtistStarts_.assign(1, 0);
  size_t at = 0;
  for (const ResidentCatalogue::MatchAlbum& album : c.matchAlbums_) {
    while (at < pairs.size() && pairs[at].first < album.id) ++at;
    for (; at < pairs.size() && pairs[at].first == album.id; ++at) {
      c.albumArtists_.push_back(pairs[at].second);
    }
    c.albumArtistStarts_.push_back(static_cast<uint32_t>(c.albumArtists_.size()));
  }
  c.albumArtists_.shrink_to_fit();
  return true;
}

bool ResidentLoader::readTriplets(const std::string& table) {
  ResidentCatalogue& c = *catalogue_;
  NameStore& names = c.names_;
  auto name = [&](const char* field) { return field != nullptr ? names.intern(field) : kNoName; };
  if (!readRows(selectAllTriplets(handle_, table), table.c_str(), 10, [&](MYSQL_ROW row) {
        ResidentCatalogue::Triplet t;
        t.trackId = idField(row[0]);
        t.trackName = name(row[1]);
        t.artistId = idField(row[2]);
        t.artistName = name(row[3]);
        t.albumId = idField(row[4]);
        t.albumName = name(row[5]);
        t.isrc = name(row[6]);
        t.hasUpc = row[7] != nullptr;
        t.upc = t.hasUpc ? strtoull(row[7], nullptr, 10) : 0;
        t.multipleArtists = flagField(row[8]);
        t.albumArtistName = name(row[9]);
        c.triplets_.push_back(t);
      })) {
    return false;
  }
  sortById(&c.triplets_, &ResidentCatalogue::Triplet::trackId);
  indexTriplets();
  return true;
}

void ResidentLoader::indexTriplets() {
  ResidentCatalogue& c = *catalogue_;
  const std::vector<ResidentCatalogue::Triplet>& rows = c.triplets_;
  NameKeyHashes hashes(*c.collation_, c.names_);
  for (uint32_t at = 0; at < rows.size(); ++at) {
    const ResidentCatalogue::Triplet& t = rows[at];
    if (t.trackName != kNoName) c.tripletsByName_.add(hashes.of(t.trackName), at);
    if (t.albumName != kNoName) c.tripletsByAlbumName_.add(hashes.of(t.albumName), at);
    if (t.isrc != kNoName) c.tripletsByIsrc_.add(hashes.of(t.isrc), at);
  }
  c.tripletsByName_.finish();
  c.tripletsByAlbumName_.finish();
  c.tripletsByIsrc_.finish();
  // Secondary indexes hold the primary key after their column: equal values by track id.
  using Triplet = ResidentCatalogue::Triplet;
  c.tripletsByArtist_ = orderOf(
      rows, [](const Triplet& t) { return t.artistId != ResidentCatalogue::kNoId; },
      [&](uint32_t a, uint32_t b) { return rows[a].artistId < rows[b].artistId || (rows[a].artistId == rows[b].artistId && a < b); });
  c.tripletsByAlbum_ = orderOf(
      rows, [](const Triplet& t) { return t.albumId != ResidentCatalogue::kNoId; },
      [&](uint32_t a, uint32_t b) { return rows[a].albumId < rows[b].albumId || (rows[a].albumId == rows[b].albumId && a < b); });
  c.tripletsByUpc_ = orderOf(
      rows, [](const Triplet& t) { return t.hasUpc; },
      [&](uint32_t a, uint32_t b) { return rows[a].upc < rows[b].upc || (rows[a].upc == rows[b].upc && a < b); });
}

bool ResidentLoader::planStart(const std::string& statement, std::string* table,
                               std::string* type, std::string* key) {
  if (!explainStatement(handle_, statement)) return false;
  QueryResult rows(handle_);
  if (!rows.ok() || rows.fieldCount() < 6) return false;
  MYSQL_ROW row = rows.next();
  if (row == nullptr || row[2] == nullptr || row[3] == nullptr) return false;
  *table = row[2];
  *type = row[3];
  *key = row[5] != nullptr ? row[5] : "";
  return true;
}

void ResidentLoader::learnIndexScan() {
  std::string table, type, key;
  if (!planStart(indexedTracksStatement(), &table, &type, &key) || table != "mt") return;
  using Scan = ResidentCatalogue::MatchTrackScan;
  if (type != "index") return;  // the table itself, by id
  if (key == "matchtracks_artist_tracks") catalogue_->indexScan_ = Scan::kByArtist;
  if (key == "matchtracks_album_tracks") catalogue_->indexScan_ = Scan::kByAlbum;
  if (key == "matchtracks_name") catalogue_->indexScan_ = Scan::kByName;
}

void ResidentLoader::followArtistPlans() {
  ResidentCatalogue& c = *catalogue_;
  const bool joined = c.joined();
  const std::vector<uint32_t>& byArtist = joined ? c.matchTracksByArtist_ : c.tripletsByArtist_;
  auto artistOf = [&](uint32_t at) {
    return joined ? c.matchTracks_[at].artistId : c.triplets_[at].artistId;
  };
  // A plan other than the index's is only worth the server's while for an artist with a
  // large share of the catalogue; below this many tracks it is not asked.
  const size_t fewest = std::max<size_t>(64, c.matchAlbums_.size() / 100);
  std::vector<uint32_t> albumNameRanks;
  std::set<std::vector<uint32_t>> asked;
  for (size_t first = 0; first < byArtist.size();) {
    size_t last = first;
    while (last < byArtist.size() && artistOf(byArtist[last]) == artistOf(byArtist[first])) ++last;
    const uint32_t artistId = artistOf(byArtist[first]);
    const size_t tracks = last - first;
    first = last;
    const ResidentCatalogue::MatchArtist* artist = c.matchArtist(artistId);
    if (tracks < fewest || artist == nullptr || artist->display == kNoName) continue;
    const IdList ids = c.artistIds(std::string(c.names_.text(artist->display)));
    const std::vector<uint32_t> listed = ResidentCatalogue::listedIds(ids);
    if (listed.empty() || !asked.insert(listed).second) continue;
    std::string table, type;
    std::string key;
    if (!planStart(tracksByArtistIdsStatement(&ids), &table, &type, &key)) continue;
    std::vector<uint32_t> order;
    for (uint32_t id : listed) {
      auto [from, to] = joined ? rowsOf(c.matchTracksByArtist_, c.matchTracks_, id,
                                        &ResidentCatalogue::Track::artistId)
                               : rowsOf(c.tripletsByArtist_, c.triplets_, id,
                                        &ResidentCatalogue::Triplet::artistId);
      order.insert(order.end(), from, to);
    }
    if (joined && table == "al1") {
      // Albums first, in their name index's order, then the artist index within each.
      if (albumNameRanks.empty()) {
        std::vector<NameId> names;
        for (const auto& album : c.matchAlbums_) names.push_back(album.name);
        albumNameRanks = collationRanks(*c.collation_, c.names_, std::move(names));
      }
      auto key = [&](uint32_t at) {
        const ResidentCatalogue::Track& t = c.matchTracks_[at];
        const ResidentCatalogue::MatchAlbum* album = c.matchAlbum(t.albumId);
        return std::make_tuple(album != nullptr ? albumNameRanks[album->name] : UINT32_MAX,
                               t.albumId, t.artistId, trackNameRanks_[t.name], t.id);
      };
      std::sort(order.begin(), order.end(),
                [&](uint32_t a, uint32_t b) { return key(a) < key(b); });
    } else if (!joined && type == "ALL" && listed.size() > 1) {
      // The whole table, in track id order.
      std::sort(order.begin(), order.end());
    } else {
      continue;
    }
    c.artistOrders_.emplace(listed, std::move(order));
  }
}

std::vector<uint32_t> ResidentLoader::indexScanOrder(const ResidentCatalogue& c) {
  const std::vector<ResidentCatalogue::Track>& tracks = c.matchTracks_;
  std::vector<uint32_t> order(tracks.size());
  for (uint32_t at = 0; at < order.size(); ++at) order[at] = at;
  using Scan = ResidentCatalogue::MatchTrackScan;
  if (c.indexScan_ == Scan::kById) return order;
  std::vector<NameId> names;
  for (const auto& track : tracks) names.push_back(track.name);
  const std::vector<uint32_t> rank = collationRanks(*c.collation_, c.names_, std::move(names));
  // An index orders NULL before every value.
  auto value = [](uint32_t id) -> uint64_t {
    return id == ResidentCatalogue::kNoId ? 0 : uint64_t{id} + 1;
  };
  auto key = [&](uint32_t at) {
    const ResidentCatalogue::Track& t = tracks[at];
    switch (c.indexScan_) {
      case Scan::kByArtist:
        return std::make_tuple(value(t.artistId), value(t.albumId), rank[t.name], t.id);
      case Scan::kByAlbum:
        return std::make_tuple(value(t.albumId), value(t.artistId), rank[t.name], t.id);
      default:
        return std::make_tuple(uint64_t{0}, uint64_t{0}, rank[t.name], t.id);
    }
  };
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return key(a) < key(b); });
  return order;
}

std::unique_ptr<const FuzzyTrackIndex> ResidentLoader::fuzzyIndex(const ResidentCatalogue& c) {
  FuzzyTrackIndex::Builder builder;
  auto text = [&](NameId name) { return std::string(c.names_.text(name)); };
  if (c.joined()) {
    for (uint32_t at : indexScanOrder(c)) {
      const ResidentCatalogue::Track& track = c.matchTracks_[at];
      if (track.id == 0 || track.id == ResidentCatalogue::kNoId) continue;
      const ResidentCatalogue::MatchArtist* artist = c.matchArtist(track.artistId);
      const ResidentCatalogue::MatchAlbum* album = c.matchAlbum(track.albumId);
      builder.add(track.id, text(track.name), artist != nullptr ? text(artist->display) : "",
                  album != nullptr ? text(album->name) : "");
    }
  } else {
    for (const ResidentCatalogue::Triplet& t : c.triplets_) {
      if (t.trackId == 0 || t.trackId == ResidentCatalogue::kNoId) continue;
      builder.add(t.trackId, text(t.trackName), text(t.artistName), text(t.albumName));
    }
  }
  return builder.build();
}

std::unique_ptr<const ResidentCatalogue> ResidentLoader::load(st_mysql* handle,
                                                              TrackTables tables,
                                                              std::string* error) {
  // One collation for every name column, learned from the server.
  std::vector<std::string> collations;
  ResidentLoader probe(handle, nullptr, error);
  if (!probe.readRows(selectNameCollations(handle), "collations", 1, [&](MYSQL_ROW row) {
        if (row[0] != nullptr) collations.push_back(row[0]);
      })) {
    return nullptr;
  }
  if (collations.size() != 1) {
    *error = collations.empty() ? "no catalogue tables found"
                                : "the catalogue's names use more than one collation";
    return nullptr;
  }
  std::unique_ptr<Collation> collation = Collation::learn(handle, collations[0], error);
  if (collation == nullptr) return nullptr;

  std::unique_ptr<ResidentCatalogue> catalogue(new ResidentCatalogue(tables, std::move(collation)));
  ResidentLoader loader(handle, catalogue.get(), error);
  if (!loader.readMatchArtists() || !loader.readMatchAlbums() || !loader.readAlbums() ||
      !loader.readTrackNameCounts()) {
    return nullptr;
  }
  if (tables == TrackTables::kJoined) {
    if (!loader.readArtists() || !loader.readTracks() || !loader.readMatchTracks()) {
      return nullptr;
    }
  } else {
    const std::string table = tables == TrackTables::kTriplets ? "triplets" : "triplets_disk";
    if (!loader.readTriplets(table) || !loader.readAlbumArtists()) return nullptr;
  }
  loader.followArtistPlans();
  if (tables == TrackTables::kJoined) loader.learnIndexScan();
  catalogue->names_.freeze();
  return catalogue;
}
