// The JSON object of one answer, the same for every interface: as `ostrevc --json` prints
// the socket's answer and as the HTTP interface sends it. Pure functions; any thread.
#ifndef OSTREV_WIRE_ANSWER_JSON_H_
#define OSTREV_WIRE_ANSWER_JSON_H_

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

struct AnswerFields {
  std::string artist;
  std::string album;
  std::string track;
  int64_t artistId = 0;
  int64_t albumId = 0;
  int64_t trackId = 0;
  float score = 0;
  float albumScore = 0;
};

// {"artist", "album", "track", "artist_id", "album_id", "track_id", "score",
// "album_score"}, in that order, the scores as truncatedScore gives them.
nlohmann::ordered_json answerJson(const AnswerFields& answer);

// `value` as one line of JSON text and a newline; invalid UTF-8 becomes U+FFFD.
std::string jsonLine(const nlohmann::ordered_json& value);

// A score as the clients show it: truncated toward zero, NaN as 0, saturated at the int
// range (an answer is untrusted; a float outside it must not be undefined behaviour).
int truncatedScore(float score);

#endif  // OSTREV_WIRE_ANSWER_JSON_H_
