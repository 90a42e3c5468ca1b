#include "tools/import/catalogue_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace {

TrackLine line(const std::string& key, const std::string& album, const std::string& albumArtist,
               const std::string& title, const std::string& artist, const std::string& upc = "",
               const std::string& isrc = "") {
  TrackLine parsed;
  parsed.fields[kAlbumKey] = key;
  parsed.fields[kAlbumTitle] = album;
  parsed.fields[kAlbumArtist] = albumArtist;
  parsed.fields[kUpc] = upc;
  parsed.fields[kTrackTitle] = title;
  parsed.fields[kTrackArtist] = artist;
  parsed.fields[kIsrc] = isrc;
  return parsed;
}

std::string upcText(const std::optional<uint64_t>& upc) {
  return upc ? std::to_string(*upc) : "NULL";
}

// The rows of a batch as the tables would hold them, fields joined with '|', rows with ';'.
std::string artists(const RowBatch& batch) {
  std::string text;
  for (const ArtistRow& a : batch.artists) {
    text +=
        (text.empty() ? "" : ";") + std::to_string(a.id) + "|" + a.name + "|" + a.normalizedName;
  }
  return text;
}

std::string albums(const RowBatch& batch) {
  std::string text;
  for (const AlbumRow& a : batch.albums) {
    text += (text.empty() ? "" : ";") + std::to_string(a.id) + "|" + a.name + "|" +
            std::to_string(a.artistId) + "|" + upcText(a.upc);
  }
  return text;
}

std::string tracks(const RowBatch& batch) {
  std::string text;
  for (const TrackRow& t : batch.tracks) {
    text += (text.empty() ? "" : ";") + std::to_string(t.id) + "|" + t.name + "|" +
            std::to_string(t.artistId) + "|" + std::to_string(t.albumId) + "|" + t.isrc;
  }
  return text;
}

RowBatch importAll(CatalogueModel& model, const std::vector<TrackLine>& lines) {
  for (const TrackLine& l : lines) model.add(l);
  return model.takeBatch();
}

TEST(CatalogueModelTest, GivesIdsInOrderOfFirstAppearanceAfterTheFirstIds) {
  CatalogueModel model(FirstIds{10, 20, 30}, {});
  RowBatch batch = importAll(model, {line("k1", "First", "The Band", "S1", "", "0123", "ISRC1"),
                                     line("k1", "Other", "Nobody", "S2", "Guest", "456"),
                                     line("k2", "Second", "Guest", "S3", "The Band")});
  // The first line of an album names it; an empty track artist is the album artist.
  EXPECT_EQ(artists(batch), "10|The Band|band;11|Guest|guest");
  EXPECT_EQ(albums(batch), "20|First|10|123;21|Second|11|NULL");
  EXPECT_EQ(tracks(batch), "30|S1|10|20|ISRC1;31|S2|11|20|;32|S3|10|21|");
  EXPECT_EQ(batch.first.artist, 10u);
  EXPECT_EQ(batch.first.track, 30u);
  EXPECT_EQ(model.newArtists(), 2);
  EXPECT_EQ(model.albums(), 2);
  EXPECT_EQ(model.tracks(), 3);
}

TEST(CatalogueModelTest, KnownArtistsKeepTheirIdsAndAreNotCountedAgain) {
  CatalogueModel model(FirstIds{6, 1, 1}, {{"The Band", 5}});
  RowBatch batch = importAll(
      model, {line("k", "A", "The Band", "S1", ""), line("k", "A", "The Band", "S2", "the band")});
  EXPECT_EQ(artists(batch), "6|the band|band");  // names are told apart byte by byte
  EXPECT_EQ(albums(batch), "1|A|5|NULL");
  EXPECT_EQ(model.newArtists(), 1);
}

TEST(CatalogueModelTest, AlbumSplitOverTheFileKeepsItsIdAcrossBatches) {
  CatalogueModel model(FirstIds{}, {});
  model.add(line("k1", "A", "Band", "S1", ""));
  model.add(line("k2", "B", "Band", "S2", ""));
  EXPECT_EQ(model.batchTracks(), 2u);
  RowBatch first = model.takeBatch();
  model.add(line("k1", "A", "Band", "S3", "Guest"));
  RowBatch second = model.takeBatch();
  EXPECT_EQ(albums(first), "1|A|1|NULL;2|B|1|NULL");
  EXPECT_EQ(artists(second), "2|Guest|guest");
  EXPECT_EQ(albums(second), "");
  EXPECT_EQ(tracks(second), "3|S3|2|1|");
  EXPECT_EQ(second.first.artist, 2u);
  EXPECT_EQ(second.first.album, 3u);
  EXPECT_EQ(second.first.track, 3u);
}

}  // namespace
