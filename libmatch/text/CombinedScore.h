// The combined score of a candidate: three partial scores (0 to 100) folded into one, with
// weights that shift towards the third score once the second and third are high. A pure
// function; any thread.
#ifndef OSTREV_LIBMATCH_TEXT_COMBINEDSCORE_H_
#define OSTREV_LIBMATCH_TEXT_COMBINEDSCORE_H_

// 0.4 of the first, 0.3 (above 83: 0.15) of the second, 0.25 (above 83: 0.45) of the
// third. Each term is formed in double and the running sum rounded to float after every
// addition, which fixes the last digit of the result.
float calculateCombinedScore(float first, float second, float third);

#endif  // OSTREV_LIBMATCH_TEXT_COMBINEDSCORE_H_
