#include "tools/import/catalogue_model.h"

#include <utility>

#include "db/NameCountQueries.h"
#include "text/Normalize.h"
#include "text/Utf8.h"

CatalogueModel::CatalogueModel(FirstIds first,
                               std::unordered_map<std::string, CatalogueId> knownArtists)
    : nextArtist_(first.artist),
      nextAlbum_(first.album),
      nextTrack_(first.track),
      artists_(std::move(knownArtists)) {}

CatalogueId CatalogueModel::artistId(const std::string& name) {
  if (name.empty()) return 0;
  auto [entry, isNew] = artists_.try_emplace(name, nextArtist_);
  if (!isNew) return entry->second;
  ++nextArtist_;
  ++newArtists_;
  // Stored as the lookups compute it from a display name, so the two always agree.
  GCharPtr normalized(normalize(name.c_str()));
  batch_.artists.push_back(ArtistRow{entry->second, name, normalized.get()});
  batch_.artistNameCounts[countedName(name)].artists += 1;
  return entry->second;
}

void CatalogueModel::add(const TrackLine& line) {
  auto found = albums_.find(line[kAlbumKey]);
  Album* album;
  if (found != albums_.end()) {
    album = &found->second;
  } else {
    // The first line of an album names it; later lines' album columns are not read.
    Album fresh;
    fresh.id = nextAlbum_++;
    fresh.name = line[kAlbumTitle];
    fresh.artistId = artistId(line[kAlbumArtist]);
    fresh.artistName = line[kAlbumArtist];
    fresh.upc = parseUpc(line[kUpc]);
    album = &albums_.emplace(line[kAlbumKey], std::move(fresh)).first->second;
  }
  if (album != current_) {
    closeAlbum();
    current_ = album;
  }

  bool ownArtist = !line[kTrackArtist].empty();
  CatalogueId trackArtist = ownArtist ? artistId(line[kTrackArtist]) : album->artistId;
  if (trackArtist != album->artistId) album->multipleArtists = true;
  pending_.push_back(PendingTrack{nextTrack_++, line[kTrackTitle], trackArtist,
                                  ownArtist ? line[kTrackArtist] : album->artistName, line[kIsrc]});
  ++tracks_;
}

void CatalogueModel::finish() { closeAlbum(); }

void CatalogueModel::closeAlbum() {
  if (current_ == nullptr) return;
  Album& album = *current_;
  current_ = nullptr;
  if (!album.written) {
    batch_.albums.push_back(
        AlbumRow{album.id, album.name, album.artistId, album.upc, album.multipleArtists});
    album.written = true;
    album.writtenMultiple = album.multipleArtists;
  } else if (album.multipleArtists && !album.writtenMultiple) {
    batch_.albumsNowMultipleArtists.push_back(album.id);
    album.writtenMultiple = true;
  }

  for (PendingTrack& track : pending_) {
    batch_.trackNameCounts[countedName(track.name)] += 1;
    if (!album.name.empty()) batch_.albumNameCounts[countedName(album.name)] += 1;
    if (!track.artistName.empty()) {
      batch_.artistNameCounts[countedName(track.artistName)].tracks += 1;
    }
    batch_.tracks.push_back(TrackRow{
        track.id, std::move(track.name), track.artistId, std::move(track.artistName), album.id,
        album.name, std::move(track.isrc), album.upc, album.multipleArtists, album.artistName});
  }
  pending_.clear();
}

RowBatch CatalogueModel::takeBatch() {
  RowBatch taken = std::move(batch_);
  batch_ = RowBatch();
  return taken;
}
