// The public API over the lookup engine: queries in, Status and int64-keyed matches out.
#include "ostrev/matcher.h"

#include <list>

#include "ostrev/limits.h"

#include "TextTrackLookup.h"
#include "api/EngineMatcher.h"
#include "base/CatalogueId.h"
#include "engine/RequestTexts.h"

namespace ostrev {

namespace {

int optionFlags(const Options& options) {
  int flags = 0;
  if (options.fuzzy) flags |= OPT_FUZZY;
  if (options.in_memory) flags |= OPT_INMEMORY;
  if (options.tables == Options::Tables::kTriplets) flags |= OPT_TRIPLETS;
  if (options.tables == Options::Tables::kTripletsDisk) flags |= OPT_TRIPLETSDISK;
  return flags;
}

const Status kLost = Status::Unavailable("the catalogue was lost during the call");

// The track's ids, as read from the catalogue's text, and names.
void setTrack(const std::string& trackId, const std::string& track, const std::string& artistId,
              const std::string& artist, const std::string& albumId, const std::string& album,
              Match* match) {
  match->track_id = catalogueId(trackId);
  match->track = track;
  match->artist_id = catalogueId(artistId);
  match->artist = artist;
  match->album_id = catalogueId(albumId);
  match->album = album;
}

}  // namespace

class Matcher::Engine {
 public:
  explicit Engine(std::unique_ptr<TextTrackLookup> own) : owned(std::move(own)), lookup(owned.get()) {}
  explicit Engine(TextTrackLookup* borrowed) : lookup(borrowed) {}
  std::unique_ptr<TextTrackLookup> owned;  // null when the engine is borrowed
  TextTrackLookup* lookup;

  // The match of `trackId` with its names, from the request `query`.
  void fill(const OCRData& query, const std::string& trackId, float score,
            const std::string& stage, Match* match) {
    *match = Match();
    match->score = score;
    match->stage = stage.empty() ? "none" : stage;
    std::string track, artistId, artist, albumId, album;
    if (trackId.empty() || trackId == "0" ||
        !lookup->fillTrackInfo(trackId, track, artistId, artist, albumId, album)) {
      return;
    }
    setTrack(trackId, track, artistId, artist, albumId, album, match);
    match->album_score = lookup->calcAlbumScore(query.album, match->album);
    // An answer above the doubted ceiling passed the verification the lookup made; only
    // one held at or below it can have reasons, and finding them costs catalogue reads.
    if (score > kDoubtedCeiling) return;
    const bool identified = stage == "isrc" || stage == "upc";
    match->reasons = lookup->answerReasons(
        query, AnswerTexts{match->track, match->artist, match->album}, identified);
  }
};

Matcher::Matcher(std::unique_ptr<Engine> engine) : engine_(std::move(engine)) {}
Matcher::~Matcher() = default;

std::unique_ptr<Matcher> EngineMatcher::Over(TextTrackLookup* engine) {
  return std::unique_ptr<Matcher>(new Matcher(std::make_unique<Matcher::Engine>(engine)));
}

Status Matcher::Open(const Options& options, std::unique_ptr<Matcher>* matcher) {
  if (options.database.empty() || options.user.empty()) {
    return Status::InvalidArgument("a database and a user are required");
  }
  std::string problem;
  std::unique_ptr<TextTrackLookup> lookup = TextTrackLookup::openQuietly(
      optionFlags(options), options.user, options.password, options.database, &problem);
  if (lookup == nullptr) return Status::Unavailable(problem);
  matcher->reset(new Matcher(std::make_unique<Engine>(std::move(lookup))));
  return Status::OK();
}

Status Matcher::Identify(const Query& query, Match* match) {
  TextTrackLookup& lookup = *engine_->lookup;
  lookup.beginRequest();
  const OCRData texts = requestQuery(query.artist, query.album, query.title, query.isrc, query.upc);
  std::string trackId, stage;
  const float score = lookup.findTrack(texts, &trackId, &stage);
  engine_->fill(texts, trackId, score, stage, match);
  return lookup.catalogueFault().occurred() ? kLost : Status::OK();
}

Status Matcher::Candidates(const Query& query, size_t limit, std::vector<Candidate>* candidates,
                           bool* ambiguous) {
  if (limit < 1 || limit > static_cast<size_t>(kMostCandidates)) {
    return Status::InvalidArgument("limit must be a number from 1 to " +
                                   std::to_string(kMostCandidates));
  }
  TextTrackLookup& lookup = *engine_->lookup;
  lookup.beginRequest();
  const OCRData texts = requestQuery(query.artist, query.album, query.title, query.isrc, query.upc);
  const CandidateList list = lookup.listCandidates(texts, limit);
  if (lookup.catalogueFault().occurred()) return kLost;
  candidates->clear();
  for (const ListedCandidate& listed : list.candidates) {
    Candidate candidate;
    setTrack(listed.trackId, listed.track, listed.artistId, listed.artist, listed.albumId,
             listed.album, &candidate);
    candidate.score = listed.score;
    candidate.stage = listed.stage;
    candidate.reasons = listed.reasons;
    candidate.title_similarity = listed.titleSimilarity;
    candidate.artist_similarity = listed.artistSimilarity;
    candidate.album_similarity = listed.albumSimilarity;
    candidates->push_back(std::move(candidate));
  }
  if (ambiguous != nullptr) *ambiguous = list.ambiguous;
  return Status::OK();
}

Status Matcher::IdentifyAlbum(const AlbumQuery& album, std::vector<Match>* matches) {
  TextTrackLookup& lookup = *engine_->lookup;
  OCRData albumTexts;
  albumTexts.album = album.album;
  albumTexts.artist = album.artist;
  albumTexts.upc = album.upc;
  std::list<OCRData> tracks;
  for (const AlbumQuery::Track& track : album.tracks) {
    OCRData texts;
    texts.title = track.title;
    texts.artist = track.artist;
    texts.isrc = track.isrc;
    tracks.push_back(std::move(texts));
  }
  lookup.beginRequest();
  lookup.findAlbumTracks(&albumTexts, &tracks,
                         [&lookup] { return !lookup.catalogueFault().occurred(); });
  if (lookup.catalogueFault().occurred()) return kLost;
  matches->clear();
  for (const OCRData& track : tracks) {
    Match match;
    match.score = track.mediaScore;
    match.stage = "none";
    // A track is only an album's answer once accepted.
    if (track.mediaScore >= kAcceptedScore) {
      setTrack(track.mediaId, track.mediaName, track.artistId, track.artistName, track.albumId,
               track.albumName, &match);
      match.album_score = track.albumScore;
      match.stage = "album";
    }
    matches->push_back(std::move(match));
  }
  return Status::OK();
}

}  // namespace ostrev
