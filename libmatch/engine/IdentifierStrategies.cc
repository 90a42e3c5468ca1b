// The identifier look-ups of TextTrackLookup (ISRC, UPC) and the details of a found track:
// its names and ids, and how well its album fits the requested album text.
#include <vector>

#include "TextTrackLookup.h"
#include "getdata/IdentifierLookups.h"
#include "ostrev/scores.h"
#include "text/CombinedScore.h"
#include "text/PreparedName.h"

float TextTrackLookup::findTrackByISRC(OCRData query, std::string* result) {
  std::vector<trackRecord> records;
  if (getTracksByISRC(reader(), &query, &records) <= 0) return 0;
  const PreparedName artistText(query.artist);
  const PreparedName albumText(query.album);
  const PreparedName titleText(query.title);
  float best = 0;
  for (trackRecord& record : records) {
    float artist = artistText.alignmentScore(record.artistName);
    float album = albumText.alignmentScore(record.albumName);
    float title = titleText.alignmentScore(record.trackName);
    float score = weightedTrackScore(title, album, artist);
    // Any ISRC hit scores at least 25: the identifier itself is strong evidence.
    score = static_cast<float>(25 + 0.75 * score);
    if (score > best) {
      *result = record.trackId;
      best = score;
    }
  }
  return best;
}

std::string TextTrackLookup::findAlbumNameByUPC(OCRData* query) {
  std::vector<trackRecord> albums;
  if (getAlbumNamesByUPC(reader(), query, &albums) <= 0) return "";
  int best = -1;
  const trackRecord* winner = nullptr;
  const PreparedName albumText(query->album);
  for (trackRecord& album : albums) {
    int similarity = albumText.alignmentScore(album.albumName);
    if (similarity > best) {
      best = similarity;
      winner = &album;
    }
  }
  if (best < ostrev::kAcceptedScore) return "";
  query->albumId = winner->albumId;
  query->albumName = winner->albumName;
  return winner->albumName;
}

bool TextTrackLookup::fillTrackInfo(std::string trackId, std::string& trackName,
                                    std::string& artistId, std::string& artistName,
                                    std::string& albumId, std::string& albumName) {
  // With the fuzzy stage the answer's names are read twice in a request (verified, then
  // sent): the second time from the first.
  const bool remembered = (option_flags & OPT_FUZZY) && namedTrack_.id == trackId;
  if (!remembered) {
    namedTrack_.id = trackId;
    namedTrack_.columns = TrackColumns();
    namedTrack_.found = reader().trackNames(trackId, &namedTrack_.columns);
  }
  if (!namedTrack_.found) return false;
  copyTrackColumns(namedTrack_.columns, &trackName, &artistId, &artistName, &albumId,
                   &albumName);
  return true;
}

bool TextTrackLookup::fillTrackInfo(std::string trackId, std::string& trackName,
                                    std::string& artistId, std::string& artistName,
                                    std::string& albumId, std::string& albumName, int& length,
                                    std::string& label, std::string& year, int&) {
  return getTrackData(handle(), trackId, &trackName, &artistId, &artistName, &albumId,
                      &albumName, &length, &label, &year) == 1;
}

float TextTrackLookup::calcAlbumScore(std::string queryAlbum, std::string foundAlbum) {
  return static_cast<float>(comparer.localAlignmentScore(queryAlbum, foundAlbum));
}
