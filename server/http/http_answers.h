// The JSON the HTTP interface answers lookups with: an answer is the object every
// interface shares (wire/answer_json.h) with what found it, how sure it is and why not
// more. Pure functions; any thread.
#ifndef OSTREV_SERVER_HTTP_HTTP_ANSWERS_H_
#define OSTREV_SERVER_HTTP_HTTP_ANSWERS_H_

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ostrev/matcher.h"

// The answer object, with "stage", "status" (confident, low or none) and "reasons".
nlohmann::ordered_json matchJson(const ostrev::Match& match);

// {"answers": [...]} for POST /v1/identify, {"tracks": [...]} for POST /v1/album.
std::string matchesBody(const char* name, const std::vector<ostrev::Match>& matches);

#endif  // OSTREV_SERVER_HTTP_HTTP_ANSWERS_H_
