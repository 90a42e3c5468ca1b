// Turns the server's answer into the eight "Key|value" lines ostrevc prints. The answer
// is untrusted: names are read up to their first NUL and never past their 200 bytes.
// A pure function; any thread.
#ifndef OSTREV_CLIENT_RESULT_TEXT_H_
#define OSTREV_CLIENT_RESULT_TEXT_H_

#include <string>

#include "wire/answer_json.h"
#include "wire/wire_format.h"

// Artist, Album, Track, IDArtist, IDAlbum, IDTrack, MatchScore, AlbumScore, each line
// ended by '\n'; scores shown as truncatedScore gives them.
std::string resultText(const lookup_result& result);

#endif  // OSTREV_CLIENT_RESULT_TEXT_H_
