// CandidateList: the tracks one query may be, as TextTrackLookup::listCandidates finds
// them, best first. A plain value the caller owns.
#ifndef OSTREV_LIBMATCH_ENGINE_CANDIDATELIST_H_
#define OSTREV_LIBMATCH_ENGINE_CANDIDATELIST_H_

#include <string>
#include <vector>

struct ListedCandidate {
  std::string trackId;
  std::string track;
  std::string artistId;
  std::string artist;
  std::string albumId;
  std::string album;
  float score = 0;
  // How alike each query field is to the track's, 0 to 100.
  float titleSimilarity = 0;
  float artistSimilarity = 0;
  float albumSimilarity = 0;
  std::string stage;  // the lookup step that found it: "isrc", "exact track", ..., "fuzzy"
  // Why it is not a confident answer ("version differs: live / none"), with OPT_FUZZY.
  std::vector<std::string> reasons;
};

struct CandidateList {
  std::vector<ListedCandidate> candidates;
  // The best two score too close together to tell apart.
  bool ambiguous = false;
};

#endif  // OSTREV_LIBMATCH_ENGINE_CANDIDATELIST_H_
