#include "tools/import/catalogue_model.h"

#include <utility>

#include "text/Normalize.h"
#include "text/Utf8.h"

CatalogueModel::CatalogueModel(FirstIds first,
                               std::unordered_map<std::string, CatalogueId> knownArtists)
    : next_(first), artists_(std::move(knownArtists)) {
  batch_.first = next_;
}

CatalogueId CatalogueModel::artistId(const std::string& name) {
  if (name.empty()) return 0;
  auto [entry, isNew] = artists_.try_emplace(name, next_.artist);
  if (!isNew) return entry->second;
  ++next_.artist;
  ++newArtists_;
  // Stored as the lookups compute it from a display name, so the two always agree.
  GCharPtr normalized(normalize(name.c_str()));
  batch_.artists.push_back(ArtistRow{entry->second, name, normalized.get()});
  return entry->second;
}

void CatalogueModel::add(const TrackLine& line) {
  auto found = albums_.find(line[kAlbumKey]);
  if (found == albums_.end()) {
    Album album{next_.album++, artistId(line[kAlbumArtist])};
    batch_.albums.push_back(
        AlbumRow{album.id, line[kAlbumTitle], album.artistId, parseUpc(line[kUpc])});
    found = albums_.emplace(line[kAlbumKey], album).first;
  }
  const Album& album = found->second;
  CatalogueId artist =
      line[kTrackArtist].empty() ? album.artistId : artistId(line[kTrackArtist]);
  batch_.tracks.push_back(
      TrackRow{next_.track++, line[kTrackTitle], artist, album.id, line[kIsrc]});
  ++tracks_;
}

RowBatch CatalogueModel::takeBatch() {
  RowBatch taken = std::move(batch_);
  batch_ = RowBatch();
  batch_.first = next_;
  return taken;
}
