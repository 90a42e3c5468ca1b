// How partial scores (0 to 100) are folded into one: the weighted score of a track from
// its title, album and artist scores, and calculateCombinedScore, whose weights shift
// towards the third score once the second and third are high. Every weight lives here.
// Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_COMBINEDSCORE_H_
#define OSTREV_LIBMATCH_TEXT_COMBINEDSCORE_H_

// The weights of a track's score.
constexpr double kTitleWeight = 0.4;
constexpr double kAlbumWeight = 0.15;
constexpr double kArtistWeight = 0.45;
// Without a trustworthy artist (a placeholder name) the artist score counts nothing.
constexpr double kTitleWeightWithoutArtist = 0.6;
constexpr double kAlbumWeightWithoutArtist = 0.2;

// The terms are formed and summed in double and rounded to float once, which fixes the
// last digit of the result.
inline float weightedTrackScore(float title, float album, float artist) {
  return static_cast<float>(kTitleWeight * title + kAlbumWeight * album +
                            kArtistWeight * artist);
}
inline float weightedTrackScoreWithoutArtist(float title, float album) {
  return static_cast<float>(kTitleWeightWithoutArtist * title +
                            kAlbumWeightWithoutArtist * album);
}

// The weights of calculateCombinedScore, whose callers pass title, album and artist
// scores: once above kHighPartialScore the second and third take the track weights;
// at or below it they weigh more evenly.
constexpr float kHighPartialScore = 83;
constexpr double kFirstWeight = kTitleWeight;
constexpr double kSecondWeight = 0.3;
constexpr double kSecondWeightHigh = kAlbumWeight;
constexpr double kThirdWeight = 0.25;
constexpr double kThirdWeightHigh = kArtistWeight;

// The weighted sum of the three scores. Each term is formed in double and the running sum
// rounded to float after every addition, which fixes the last digit of the result.
float calculateCombinedScore(float first, float second, float third);

#endif  // OSTREV_LIBMATCH_TEXT_COMBINEDSCORE_H_
