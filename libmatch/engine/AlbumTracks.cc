// Identifying all tracks of one album at once: identifiers first, then the album's own
// track list, then the text cascade for what is left.
#include <cmath>
#include <list>
#include <unordered_map>
#include <vector>

#include "TextTrackLookup.h"
#include "engine/Assignment.h"
#include "getdata/IdentifierLookups.h"
#include "getdata/NameCandidates.h"
#include "ostrev/scores.h"
#include "text/CombinedScore.h"
#include "text/PreparedName.h"

namespace {

constexpr float kFallbackScore = 10;
// An album track is taken for a query only with a title at least this like the query's:
// the album and the artist alone lift any track of the artist over the acceptance score.
constexpr float kTitleFloor = 60;
// A title of a few letters loses half its similarity to one typing error: it has a floor
// of its own.
constexpr size_t kShortTitleLetters = 4;
constexpr float kShortTitleFloor = 25;
// Up to this many track queries are paired with the album's tracks one to one; a longer
// list is matched query by query.
constexpr size_t kMostPairedTracks = 200;
// Between pairings of equal score, the one that keeps the descriptor's order: a query is
// pulled this much per place towards the album's track at its own place.
constexpr double kOrderPull = 1e-6;

float rounded(float value) { return std::floor(value + 0.5f); }

struct AlbumMatch {
  float title = 0;     // the title's similarity
  float floor = 0;     // the least title similarity taken for this query
  float combined = 0;  // the rounded score, the album taken as matching
  bool taken() const { return title >= floor && combined >= ostrev::kAcceptedScore; }
};

float titleFloor(const PreparedName& title) {
  return static_cast<size_t>(title.length()) <= kShortTitleLetters ? kShortTitleFloor
                                                                    : kTitleFloor;
}

// A query's title and artist, prepared once for all the records of its album. Several
// kilobytes: one at a time, on the stack.
struct PreparedTrack {
  explicit PreparedTrack(const OCRData& track)
      : title(track.title), artist(track.artist), floor(titleFloor(title)) {}

  // Title against the record's title, the album taken as matching, artist against artist.
  AlbumMatch matchOf(const trackRecord& record) const {
    AlbumMatch match;
    match.title = static_cast<float>(title.alignmentScore(record.trackName));
    match.floor = floor;
    match.combined = rounded(calculateCombinedScore(
        match.title, 100, static_cast<float>(artist.alignmentScore(record.artistName))));
    return match;
  }

  PreparedName title;
  PreparedName artist;
  float floor;
};

// The track takes the record's ids and names; the album's name only when `complete`.
void takeRecord(const trackRecord& record, float score, bool complete, OCRData* track) {
  track->mediaScore = score;
  track->mediaId = record.trackId;
  track->artistId = record.artistId;
  track->albumId = record.albumId;
  track->mediaName = record.trackName;
  track->artistName = record.artistName;
  if (complete) track->albumName = record.albumName;
}

// Each record's place among the records of its own album, in catalogue order.
std::vector<size_t> placesInAlbum(const std::vector<const trackRecord*>& records) {
  std::unordered_map<std::string, size_t> counts;
  std::vector<size_t> places;
  places.reserve(records.size());
  for (const trackRecord* record : records) places.push_back(counts[record->albumId]++);
  return places;
}

// The queries paired one to one with the records, for the greatest total score; a query
// keeps its earlier answer when that scored more.
void pairRecords(const std::list<trackRecord>& list, std::list<OCRData>* tracks) {
  const std::vector<const trackRecord*> records = [&] {
    std::vector<const trackRecord*> all;
    for (const trackRecord& record : list) all.push_back(&record);
    return all;
  }();
  const std::vector<size_t> places = placesInAlbum(records);
  // Only the records some query may take are columns: an album name shared by a thousand
  // albums must not make the matrix.
  std::vector<std::vector<std::pair<size_t, float>>> eligible(tracks->size());
  std::unordered_map<size_t, size_t> columnOf;
  std::vector<size_t> recordOf;
  size_t row = 0;
  for (const OCRData& track : *tracks) {
    const PreparedTrack texts(track);
    for (size_t r = 0; r < records.size(); ++r) {
      const AlbumMatch match = texts.matchOf(*records[r]);
      if (!match.taken()) continue;
      if (columnOf.emplace(r, recordOf.size()).second) recordOf.push_back(r);
      eligible[row].emplace_back(r, match.combined);
    }
    ++row;
  }
  AssignmentWeights weights(tracks->size(), recordOf.size());
  for (row = 0; row < eligible.size(); ++row) {
    for (const auto& [r, score] : eligible[row]) {
      const double apart = places[r] > row ? places[r] - row : row - places[r];
      weights.at(row, columnOf[r]) = score - kOrderPull * apart;
    }
  }
  const std::vector<int> paired = bestAssignment(weights);
  row = 0;
  for (OCRData& track : *tracks) {
    const int column = paired[row++];
    if (column < 0) continue;
    const trackRecord& record = *records[recordOf[column]];
    const float score = rounded(static_cast<float>(weights.at(row - 1, column)));
    // Ties go to the pairing: an exact hit elsewhere is no better than this album's track.
    if (score >= track.mediaScore) takeRecord(record, score, true, &track);
  }
}

}  // namespace

size_t TextTrackLookup::findAlbumTracks(OCRData* album, std::list<OCRData>* tracks,
                                        const std::function<bool()>& keepGoing) {
  const bool fuzzy = option_flags & OPT_FUZZY;
  if (!album->upc.empty()) {
    std::string name = findAlbumNameByUPC(album);
    if (!name.empty()) {
      album->albumAlt1 = album->album;
      album->album = name;
    }
  }

  // Identifiers and exact hits, with the track's own artist; the album's stands in where
  // the track names none. With the fuzzy stage an ISRC decides only when it names one
  // recording; the tracks it names need no more than their titles to be verified.
  std::vector<std::string> identifiedIds;
  for (OCRData& track : *tracks) {
    if (!keepGoing()) return 0;
    track.album = album->album;
    track.upc = album->upc;
    track.albumId = album->albumId;
    track.artistAlt1 = track.artist;
    if (track.artist.empty()) track.artist = album->artist;
    track.spareScore = 0;
    track.mediaScore = 0;
    track.albumScore = 0;
    identifiedIds.emplace_back();
    if (fuzzy) {
      if (findTrackByIsrcEvidence(track, &track.mediaId, &track.mediaScore)) {
        identifiedIds.back() = track.mediaId;
      }
    } else if (track.isrc.size() == kIsrcLength) {
      track.mediaScore = findTrackByISRC(track, &track.mediaId);
    }
    if (track.mediaScore < ostrev::kAcceptedScore &&
        !findExactTrack(track, &track.mediaId, &track.mediaScore)) {
      track.mediaScore = kFallbackScore;
    }
  }

  // The album's own tracks.
  std::list<trackRecord> records;
  getAlbumTracks(reader(), album->album, &records);
  if (records.empty() && fuzzy) {
    const std::string found = findFuzzyAlbumName(*album, *tracks);
    if (!found.empty()) getAlbumTracks(reader(), found, &records);
  }
  matchAlbumRecords(records, tracks);

  // The text cascade for the rest. The tracks before the one it stops at are identified.
  size_t identified = 0;
  for (OCRData& track : *tracks) {
    if (track.mediaScore < ostrev::kAcceptedScore && !keepGoing()) return identified;
    ++identified;
    if (track.mediaScore >= ostrev::kAcceptedScore) continue;
    findExactArtist(track, &track.mediaId, &track.mediaScore);
    track.artistAlt1.clear();
    track.artistAlt2.clear();
    if (track.mediaScore < ostrev::kAcceptedScore) {
      track.mediaScore = findTrackByText(track, &track.mediaId);
    }
    if (track.mediaScore >= ostrev::kAcceptedScore) {
      fillTrackInfo(track.mediaId, track.mediaName, track.artistId, track.artistName,
                    track.albumId, track.albumName);
    }
  }

  size_t position = 0;
  for (OCRData& track : *tracks) {
    const std::string& identifiedId = identifiedIds[position++];
    if (track.mediaScore < ostrev::kAcceptedScore) continue;
    // With the fuzzy stage every answer carries its names, exact hits' too, and is
    // verified as a single track's answer is.
    if (fuzzy && (track.mediaName.empty() || track.albumName.empty())) {
      fillTrackInfo(track.mediaId, track.mediaName, track.artistId, track.artistName,
                    track.albumId, track.albumName);
    }
    if (fuzzy) {
      const AnswerTexts names{track.mediaName, track.artistName, track.albumName};
      track.mediaScore = verifiedScore(track, names, track.mediaScore, nullptr,
                                       !identifiedId.empty() && identifiedId == track.mediaId);
    }
    track.mediaScore = rounded(track.mediaScore);
    track.albumScore = rounded(calcAlbumScore(track.album, track.albumName));
  }
  return identified;
}

void TextTrackLookup::matchAlbumRecords(const std::list<trackRecord>& records,
                                        std::list<OCRData>* tracks) {
  if (records.empty()) return;
  if ((option_flags & OPT_FUZZY) && tracks->size() <= kMostPairedTracks) {
    pairRecords(records, tracks);
    return;
  }
  // A record may serve several queries.
  for (OCRData& track : *tracks) {
    const PreparedTrack texts(track);
    for (const trackRecord& record : records) {
      const AlbumMatch match = texts.matchOf(record);
      if (match.taken() && match.combined > track.mediaScore) {
        takeRecord(record, match.combined, false, &track);
      }
    }
  }
}

int TextTrackLookup::findExactAlbumArtists(OCRData* query, DBResultSet* albums,
                                           DBResultSet* artists) {
  if (albums->num_records() == 0 && albumExists(reader(), query->album)) {
    albums->add_record(100, query->album);
  }
  if (albums->num_records() > 0) getArtistsFromAlbum(reader(), query, artists);
  return artists->num_records();
}

bool TextTrackLookup::findExactAlbumTracks(OCRData query, std::string* result, float* score) {
  std::list<trackRecord> records;
  if (!query.upc.empty()) getAlbumTracksByUPC(reader(), query.upc, &records);
  if (records.empty()) getAlbumTracks(reader(), query.album, &records);
  float best = 0;
  std::string bestId;
  const PreparedTrack texts(query);
  for (const trackRecord& record : records) {
    const float combined = texts.matchOf(record).combined;
    if (combined > best) {
      best = combined;
      bestId = record.trackId;
    }
  }
  if (best < ostrev::kAcceptedScore) return false;
  *result = bestId;
  *score = best;
  return true;
}
