// Turns the server's answer into the eight "Key|value" lines ostrevc prints. The answer
// is untrusted: names are read up to their first NUL and never past their 200 bytes.
// A pure function; any thread.
#ifndef OSTREV_CLIENT_RESULT_TEXT_H_
#define OSTREV_CLIENT_RESULT_TEXT_H_

#include <string>

#include "wire/wire_format.h"

// Artist, Album, Track, IDArtist, IDAlbum, IDTrack, MatchScore, AlbumScore, each line
// ended by '\n'; scores shown as truncatedScore gives them.
std::string resultText(const lookup_result& result);

// A score as the client shows it: truncated toward zero, NaN as 0, saturated at the int
// range (the answer is untrusted; a float outside it must not be undefined behaviour).
int truncatedScore(float score);

#endif  // OSTREV_CLIENT_RESULT_TEXT_H_
