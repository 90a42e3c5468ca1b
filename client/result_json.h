// The server's answer as the one JSON object `ostrevc --json` prints. The answer is
// untrusted: names are read as resultText reads them, and bytes that are not UTF-8 become
// U+FFFD. A pure function; any thread.
#ifndef OSTREV_CLIENT_RESULT_JSON_H_
#define OSTREV_CLIENT_RESULT_JSON_H_

#include <string>

#include "wire/wire_format.h"

// {"artist":...,"album":...,"track":...,"artist_id":...,"album_id":...,"track_id":...,
// "score":...,"album_score":...} and a newline; the scores as the eight lines show them.
std::string resultJson(const lookup_result& result);

#endif  // OSTREV_CLIENT_RESULT_JSON_H_
