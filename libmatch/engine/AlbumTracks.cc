// Identifying all tracks of one album at once: identifiers first, then the album's own
// track list, then the text cascade for what is left.
#include <cmath>
#include <list>

#include "TextTrackLookup.h"
#include "getdata/IdentifierLookups.h"
#include "getdata/NameCandidates.h"
#include "text/CombinedScore.h"
#include "text/PreparedName.h"

namespace {

constexpr float kAccepted = 70;
constexpr float kFallbackScore = 10;
constexpr size_t kIsrcLength = 12;

float rounded(float value) { return std::floor(value + 0.5f); }

// A query's title and artist, prepared once for all the records of its album. Several
// kilobytes: one at a time, on the stack.
struct PreparedTrack {
  explicit PreparedTrack(const OCRData& track) : title(track.title), artist(track.artist) {}

  // Title against the record's title, the album taken as matching, artist against artist.
  float scoreOf(const trackRecord& record) const {
    return rounded(
        calculateCombinedScore(static_cast<float>(title.alignmentScore(record.trackName)), 100,
                               static_cast<float>(artist.alignmentScore(record.artistName))));
  }

  PreparedName title;
  PreparedName artist;
};

}  // namespace

size_t TextTrackLookup::findAlbumTracks(OCRData* album, std::list<OCRData>* tracks,
                                        const std::function<bool()>& keepGoing) {
  if (!album->upc.empty()) {
    std::string name = findAlbumNameByUPC(album);
    if (!name.empty()) {
      album->albumAlt1 = album->album;
      album->album = name;
    }
  }

  // Identifiers and exact hits.
  for (OCRData& track : *tracks) {
    if (!keepGoing()) return 0;
    std::string ownArtist = track.artist;
    track.album = album->album;
    track.upc = album->upc;
    track.albumId = album->albumId;
    if (!album->artist.empty()) track.artist = album->artist;
    track.artistAlt1 = ownArtist;
    track.spareScore = 0;
    track.mediaScore = 0;
    track.albumScore = 0;
    if (track.isrc.size() == kIsrcLength) track.mediaScore = findTrackByISRC(track, &track.mediaId);
    if (track.mediaScore < kAccepted &&
        !findExactTrack(track, &track.mediaId, &track.mediaScore)) {
      track.mediaScore = kFallbackScore;
    }
  }

  // The album's own tracks; a record may serve several queries.
  std::list<trackRecord> records;
  getAlbumTracks(handle(), album->album, &records);
  for (OCRData& track : *tracks) {
    const PreparedTrack texts(track);
    for (const trackRecord& record : records) {
      float combined = texts.scoreOf(record);
      if (combined >= kAccepted && combined > track.mediaScore) {
        track.mediaScore = combined;
        track.mediaId = record.trackId;
        track.artistId = record.artistId;
        track.albumId = record.albumId;
        track.mediaName = record.trackName;
        track.artistName = record.artistName;
      }
    }
  }

  // The text cascade for the rest, with the track's own artist. The tracks before the one
  // it stops at are identified.
  size_t identified = 0;
  for (OCRData& track : *tracks) {
    if (track.mediaScore < kAccepted && !keepGoing()) return identified;
    ++identified;
    if (track.mediaScore >= kAccepted) continue;
    findExactArtist(track, &track.mediaId, &track.mediaScore);
    track.artist = track.artistAlt1;
    track.artistAlt1.clear();
    track.artistAlt2.clear();
    if (track.mediaScore < kAccepted) track.mediaScore = findTrackByText(track, &track.mediaId);
    if (track.mediaScore >= kAccepted) {
      fillTrackInfo(track.mediaId, track.mediaName, track.artistId, track.artistName,
                    track.albumId, track.albumName);
    }
  }

  for (OCRData& track : *tracks) {
    if (track.mediaScore < kAccepted) continue;
    track.mediaScore = rounded(track.mediaScore);
    track.albumScore = rounded(calcAlbumScore(track.album, track.albumName));
  }
  return identified;
}

int TextTrackLookup::findExactAlbumArtists(OCRData* query, DBResultSet* albums,
                                           DBResultSet* artists) {
  if (albums->num_records() == 0 && albumExists(handle(), query->album)) {
    albums->add_record(100, query->album);
  }
  if (albums->num_records() > 0) getArtistsFromAlbum(handle(), comparer, query, artists);
  return artists->num_records();
}

bool TextTrackLookup::findExactAlbumTracks(OCRData query, std::string* result, float* score) {
  std::list<trackRecord> records;
  if (!query.upc.empty()) getAlbumTracksByUPC(handle(), query.upc, &records);
  if (records.empty()) getAlbumTracks(handle(), query.album, &records);
  float best = 0;
  std::string bestId;
  const PreparedTrack texts(query);
  for (const trackRecord& record : records) {
    float combined = texts.scoreOf(record);
    if (combined > best) {
      best = combined;
      bestId = record.trackId;
    }
  }
  if (best < kAccepted) return false;
  *result = bestId;
  *score = best;
  return true;
}
