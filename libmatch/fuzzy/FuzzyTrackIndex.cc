#include "fuzzy/FuzzyTrackIndex.h"

#include <malloc.h>

#include <algorithm>
#include <utility>

#include "fuzzy/NameSimilarity.h"

namespace {

enum FieldSlot { kTitle, kVersion, kArtist, kAlbum };

// How far a search looks. Names below kMinDice share too little to be the same name
// garbled; a name's tracks beyond kTracksPerName, and any track beyond kScoredTracks, are
// not scored, which bounds a search whatever the catalogue holds.
constexpr size_t kTitleNames = 24;
constexpr size_t kOtherNames = 8;
constexpr float kMinDice = 0.2f;
// The artist and album names bring tracks of their own too, in case the title's many
// look-alikes crowded the right one out; after a title this alike in trigrams, only names
// of kTrustedDice and the first kTracksPerTrustedName tracks of each.
constexpr float kTrustedDice = 0.6f;
constexpr size_t kTracksPerName = 5000;
constexpr size_t kTracksPerTrustedName = 1000;
constexpr size_t kScoredTracks = 20000;
// The share of kScoredTracks the title names may take, so that the others get their turn.
constexpr size_t kTitleTracks = kScoredTracks * 3 / 4;

bool better(const FuzzyCandidate& a, const FuzzyCandidate& b) {
  return a.scores.total != b.scores.total ? a.scores.total > b.scores.total
                                          : a.trackId < b.trackId;
}

NameId intern(const std::string& name, std::unordered_map<std::string, NameId>* ids,
              std::vector<std::string>* names) {
  auto [entry, isNew] = ids->try_emplace(name, static_cast<NameId>(names->size()));
  if (isNew) names->push_back(name);
  return entry->second;
}

}  // namespace

float answerScore(const std::vector<FuzzyCandidate>& best) {
  if (best.empty()) return 0;
  float score = best[0].scores.total;
  for (size_t i = 1; i < best.size(); ++i) {
    if (best[i].scores.total < best[0].scores.total - kAmbiguityMargin) break;
    if (best[i].artistKey != best[0].artistKey || best[i].titleKey != best[0].titleKey) {
      return ambiguousScore(score);
    }
  }
  return score;
}

FuzzyTrackIndex::Builder::Builder() : index_(new FuzzyTrackIndex()) {}

void FuzzyTrackIndex::Builder::add(int64_t trackId, const std::string& title,
                                   const std::string& artist, const std::string& album) {
  const FuzzyQuery names = readFuzzyQuery(title, artist, album);
  Track track;
  track.id = trackId;
  track.title = intern(names.title.core, &ids_[kTitle], &names_[kTitle]);
  track.version = intern(names.title.version, &ids_[kVersion], &names_[kVersion]);
  track.artist = intern(names.artist.core, &ids_[kArtist], &names_[kArtist]);
  track.album = intern(names.album.core, &ids_[kAlbum], &names_[kAlbum]);
  index_->tracks_.push_back(track);
}

std::unique_ptr<const FuzzyTrackIndex> FuzzyTrackIndex::Builder::build() {
  FuzzyTrackIndex& index = *index_;
  index.tracks_.shrink_to_fit();
  const std::pair<Field*, NameId Track::*> fields[] = {
      {&index.title_, &Track::title}, {&index.artist_, &Track::artist},
      {&index.album_, &Track::album}};
  const FieldSlot slots[] = {kTitle, kArtist, kAlbum};
  for (size_t f = 0; f < 3; ++f) {
    Field& field = *fields[f].first;
    const NameId Track::*member = fields[f].second;
    std::vector<std::string>& names = names_[slots[f]];
    field.names = std::make_unique<NameGramIndex>(names);
    // Counting sort of the tracks by name: the tracks of one name end up together.
    field.trackStarts.assign(names.size() + 1, 0);
    for (const Track& track : index.tracks_) ++field.trackStarts[track.*member + 1];
    for (size_t i = 1; i < field.trackStarts.size(); ++i) {
      field.trackStarts[i] += field.trackStarts[i - 1];
    }
    field.tracks.resize(index.tracks_.size());
    std::vector<uint32_t> next(field.trackStarts.begin(), field.trackStarts.end() - 1);
    for (uint32_t t = 0; t < index.tracks_.size(); ++t) {
      field.tracks[next[index.tracks_[t].*member]++] = t;
    }
    std::vector<std::string>().swap(names);
    ids_[slots[f]].clear();
  }
  index.versions_ = std::move(names_[kVersion]);
  ids_[kVersion].clear();
  // Building took several times the index's size; give what is free back to the system.
  malloc_trim(0);
  return std::move(index_);
}

size_t FuzzyTrackIndex::Field::memoryBytes() const {
  return names->memoryBytes() + trackStarts.capacity() * sizeof(uint32_t) +
         tracks.capacity() * sizeof(uint32_t);
}

size_t FuzzyTrackIndex::memoryBytes() const {
  size_t bytes = tracks_.capacity() * sizeof(Track) + title_.memoryBytes() +
                 artist_.memoryBytes() + album_.memoryBytes();
  for (const std::string& version : versions_) bytes += sizeof(version) + version.capacity();
  return bytes;
}

void FuzzyTrackIndex::offerTracksOf(const Field& field, NameId name, const FuzzyQuery& query,
                                    bool swapped, size_t most, FuzzySearchScratch* scratch,
                                    size_t* budget, std::vector<FuzzyCandidate>* out) const {
  const uint32_t* begin = field.tracks.data() + field.trackStarts[name];
  const uint32_t* end = field.tracks.data() + field.trackStarts[name + 1];
  end = std::min(end, begin + std::min(most, *budget));
  for (const uint32_t* p = begin; p != end; ++p) {
    if (scratch->seen[*p] == scratch->search) continue;
    scratch->seen[*p] = scratch->search;
    const Track& track = tracks_[*p];
    const FieldScores scores = combineFieldScores(
        query, similarity(title_, 0, track.title, query.title.core, scratch),
        similarity(artist_, 1, track.artist, query.artist.core, scratch),
        similarity(album_, 2, track.album, query.album.core, scratch), versions_[track.version]);
    out->push_back({track.id, scores, swapped, track.artist, track.title, track.album});
  }
  *budget -= static_cast<size_t>(end - begin);
}

float FuzzyTrackIndex::similarity(const Field& field, int slot, NameId name,
                                  const std::string& queryCore,
                                  FuzzySearchScratch* scratch) const {
  if (queryCore.empty()) return 0;
  auto [entry, isNew] = scratch->similarities[slot].try_emplace(name, 0.0f);
  if (isNew) entry->second = nameSimilarity(queryCore, field.names->name(name));
  return entry->second;
}

void FuzzyTrackIndex::collect(const FuzzyQuery& query, bool swapped, FuzzySearchScratch* scratch,
                              std::vector<FuzzyCandidate>* out) const {
  for (auto& known : scratch->similarities) known.clear();
  // Each reading scores a track at most once.
  if (++scratch->search == 0) {
    std::fill(scratch->seen.begin(), scratch->seen.end(), 0);
    scratch->search = 1;
  }
  size_t titleBudget = kTitleTracks;
  float bestTitleDice = 0;
  for (const NameMatch& match :
       title_.names->similar(query.title.core, kTitleNames, &scratch->grams)) {
    if (match.dice < kMinDice) break;
    bestTitleDice = std::max(bestTitleDice, match.dice);
    offerTracksOf(title_, match.id, query, swapped, kTracksPerName, scratch, &titleBudget, out);
  }
  const bool trusted = bestTitleDice >= kTrustedDice;
  size_t budget = kScoredTracks - kTitleTracks + titleBudget;
  const std::pair<const Field*, const std::string*> others[] = {
      {&artist_, &query.artist.core}, {&album_, &query.album.core}};
  for (const auto& [field, text] : others) {
    for (const NameMatch& match : field->names->similar(*text, kOtherNames, &scratch->grams)) {
      if (match.dice < (trusted ? kTrustedDice : kMinDice) || budget == 0) break;
      offerTracksOf(*field, match.id, query, swapped,
                    trusted ? kTracksPerTrustedName : kTracksPerName, scratch, &budget, out);
    }
  }
}

std::vector<FuzzyCandidate> FuzzyTrackIndex::best(const std::string& title,
                                                  const std::string& artist,
                                                  const std::string& album, size_t limit,
                                                  FuzzySearchScratch* scratch) const {
  scratch->seen.resize(tracks_.size(), 0);
  std::vector<FuzzyCandidate> found;
  collect(readFuzzyQuery(title, artist, album), false, scratch, &found);
  if (!title.empty() && !artist.empty()) {
    collect(swappedFuzzyQuery(title, artist, album), true, scratch, &found);
  }
  // A track found under both readings keeps its better one.
  std::sort(found.begin(), found.end(), [](const FuzzyCandidate& a, const FuzzyCandidate& b) {
    return a.trackId != b.trackId ? a.trackId < b.trackId : better(a, b);
  });
  found.erase(std::unique(found.begin(), found.end(),
                          [](const FuzzyCandidate& a, const FuzzyCandidate& b) {
                            return a.trackId == b.trackId;
                          }),
              found.end());
  const size_t keep = std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + keep, found.end(), better);
  found.resize(keep);
  return found;
}
