// Finding the album of an album-tracks request whose album text names no album: the fuzzy
// index is asked for each track, its title with the track's artist and the album text,
// and the album most tracks point to wins.
#include <list>
#include <unordered_map>

#include "TextTrackLookup.h"
#include "base/CatalogueId.h"
#include "ostrev/scores.h"

namespace {

// Enough tracks for a clear vote; a long list adds search time, not certainty. The vote
// ends early once an album leads the next by more than this.
constexpr size_t kTracksAsked = 4;
constexpr size_t kLeastTracksAsked = 2;
constexpr float kClearLead = 100;
constexpr size_t kCandidatesPerTrack = 5;

struct AlbumVote {
  float total = 0;
  float bestScore = 0;
  int64_t bestTrack = 0;
};

bool clearLead(const std::unordered_map<uint32_t, AlbumVote>& votes) {
  float first = 0, second = 0;
  for (const auto& [key, vote] : votes) {
    if (vote.total > first) {
      second = first;
      first = vote.total;
    } else if (vote.total > second) {
      second = vote.total;
    }
  }
  return first - second > kClearLead;
}

}  // namespace

std::string TextTrackLookup::findFuzzyAlbumName(const OCRData& album,
                                                const std::list<OCRData>& tracks) {
  std::unordered_map<uint32_t, AlbumVote> votes;
  size_t asked = 0;
  for (const OCRData& track : tracks) {
    if (asked == kTracksAsked || (asked >= kLeastTracksAsked && clearLead(votes))) break;
    ++asked;
    OCRData asked;
    asked.title = track.title;
    asked.artist = track.artist;
    asked.album = album.album;
    // Each album counts once per track, with its best candidate.
    std::unordered_map<uint32_t, const FuzzyCandidate*> bestOfAlbum;
    const std::vector<FuzzyCandidate> found = findFuzzyCandidates(asked, kCandidatesPerTrack);
    for (const FuzzyCandidate& candidate : found) {
      const FuzzyCandidate*& best = bestOfAlbum[candidate.albumKey];
      if (best == nullptr || candidate.scores.total > best->scores.total) best = &candidate;
    }
    for (const auto& [key, candidate] : bestOfAlbum) {
      AlbumVote& vote = votes[key];
      vote.total += candidate->scores.total;
      if (candidate->scores.total > vote.bestScore) {
        vote.bestScore = candidate->scores.total;
        vote.bestTrack = candidate->trackId;
      }
    }
  }
  const AlbumVote* winner = nullptr;
  for (const auto& [key, vote] : votes) {
    if (winner == nullptr || vote.total > winner->total ||
        (vote.total == winner->total && vote.bestTrack < winner->bestTrack)) {
      winner = &vote;
    }
  }
  if (winner == nullptr || winner->total < ostrev::kAcceptedScore) return "";
  std::string trackName, artistId, artistName, albumId, albumName;
  if (!fillTrackInfo(catalogueIdText(winner->bestTrack), trackName, artistId, artistName, albumId,
                     albumName)) {
    return "";
  }
  return albumName;
}
