// How the fuzzy stage scores a whole catalogue track against a query: per-field
// similarity of the folded names, weighted over the fields the query gives, less what the
// version parts disagree by. Every weight of the stage lives here. Pure functions; any
// thread.
#ifndef OSTREV_LIBMATCH_FUZZY_RECORDSCORE_H_
#define OSTREV_LIBMATCH_FUZZY_RECORDSCORE_H_

#include <string>
#include <string_view>

#include "fuzzy/NameFolding.h"

// A query as the stage reads it: each field taken apart (titleParts for the title and the
// album, artistParts for the artist).
struct FuzzyQuery {
  NameParts title;
  NameParts artist;
  NameParts album;
};

FuzzyQuery readFuzzyQuery(const std::string& title, const std::string& artist,
                          const std::string& album);

// The same query with its artist and title texts read the other way round.
FuzzyQuery swappedFuzzyQuery(const std::string& title, const std::string& artist,
                             const std::string& album);

// What a catalogue track is compared by, all folded.
struct TrackNames {
  std::string_view titleCore;
  std::string_view titleVersion;
  std::string_view artistCore;
  std::string_view albumCore;
};

struct FieldScores {
  float title = 0;   // similarity of the cores, 0 to 100
  float artist = 0;
  float album = 0;
  float total = 0;   // the record's score, 0 to 100
};

FieldScores scoreRecord(const FuzzyQuery& query, const TrackNames& track);

// The same score from field similarities already computed (nameSimilarity of the query's
// cores with the track's; a field the query leaves empty is not read).
// The score of a best track whose runner-up, by another artist, scores within
// kAmbiguityMargin of it: the query cannot tell the two apart (a title alone, say), so
// the answer is not to be trusted, however alike the names.
constexpr float kAmbiguityMargin = 2;
float ambiguousScore(float best);

FieldScores combineFieldScores(const FuzzyQuery& query, float title, float artist,
                               float album, std::string_view trackVersion);

#endif  // OSTREV_LIBMATCH_FUZZY_RECORDSCORE_H_
