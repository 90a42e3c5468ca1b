// FuzzyTrackIndex: every catalogue track's id and folded names, with a trigram index of
// the distinct titles, artists and albums and the tracks of each, so that the tracks most
// like a query are found whichever of its fields are noisy. Built once by a Builder on one
// thread; immutable afterwards, so any number of threads may search it at once, each with
// its own FuzzySearchScratch.
#ifndef OSTREV_LIBMATCH_FUZZY_FUZZYTRACKINDEX_H_
#define OSTREV_LIBMATCH_FUZZY_FUZZYTRACKINDEX_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "fuzzy/NameGramIndex.h"
#include "fuzzy/RecordScore.h"

struct FuzzyCandidate {
  int64_t trackId = 0;
  FieldScores scores;
  bool swapped = false;  // found with the query's artist and title read the other way round
  uint32_t artistKey = 0;  // equal for tracks whose artists fold to the same name
  uint32_t titleKey = 0;   // equal for tracks whose titles fold to the same name
  uint32_t albumKey = 0;   // equal for tracks whose albums fold to the same name
};

// The working memory of one searching thread.
struct FuzzySearchScratch {
  GramScratch grams;
  std::vector<uint32_t> seen;  // per track: the search that last scored it
  uint32_t search = 0;
  // Per field, the similarities of the names met so far in this reading: the tracks of one
  // title, artist or album share it.
  std::unordered_map<NameId, float> similarities[3];
};

// The score the stage answers with, from the best candidates as best() returns them: the
// best one's, or ambiguousScore of it when another recording (another artist or title)
// comes within kAmbiguityMargin. 0 without candidates.
float answerScore(const std::vector<FuzzyCandidate>& best);

// How many candidates answerScore needs to see: the same recording on several albums
// scores alike many times over before a rival recording shows.
constexpr size_t kAnswerCandidates = 21;

class FuzzyTrackIndex {
 public:
  class Builder {
   public:
    Builder();
    void add(int64_t trackId, const std::string& title, const std::string& artist,
             const std::string& album);
    std::unique_ptr<const FuzzyTrackIndex> build();

   private:
    std::unique_ptr<FuzzyTrackIndex> index_;
    std::unordered_map<std::string, NameId> ids_[4];  // title, version, artist, album
    std::vector<std::string> names_[4];
  };

  FuzzyTrackIndex(const FuzzyTrackIndex&) = delete;
  FuzzyTrackIndex& operator=(const FuzzyTrackIndex&) = delete;

  size_t trackCount() const { return tracks_.size(); }
  size_t memoryBytes() const;

  // Up to `limit` tracks, best first (ties by track id), each scored with scoreRecord
  // under the better of the query's two readings (artist and title as given, and swapped).
  std::vector<FuzzyCandidate> best(const std::string& title, const std::string& artist,
                                   const std::string& album, size_t limit,
                                   FuzzySearchScratch* scratch) const;

 private:
  FuzzyTrackIndex() = default;

  struct Track {
    int64_t id;
    NameId title, version, artist, album;
  };

  // The distinct names of one field and, for each, the tracks that carry it.
  struct Field {
    std::unique_ptr<NameGramIndex> names;
    std::vector<uint32_t> trackStarts;  // name i's tracks: tracks[trackStarts[i], ..[i + 1])
    std::vector<uint32_t> tracks;
    size_t memoryBytes() const;
  };

  float similarity(const Field& field, int slot, NameId name, const std::string& queryCore,
                   FuzzySearchScratch* scratch) const;
  void collect(const FuzzyQuery& query, bool swapped, FuzzySearchScratch* scratch,
               std::vector<FuzzyCandidate>* out) const;
  // Scores the first `most` tracks of `name` not scored yet in this reading.
  void offerTracksOf(const Field& field, NameId name, const FuzzyQuery& query, bool swapped,
                     size_t most, FuzzySearchScratch* scratch, size_t* budget,
                     std::vector<FuzzyCandidate>* out) const;

  std::vector<Track> tracks_;
  std::vector<std::string> versions_;
  Field title_, artist_, album_;
};

#endif  // OSTREV_LIBMATCH_FUZZY_FUZZYTRACKINDEX_H_
