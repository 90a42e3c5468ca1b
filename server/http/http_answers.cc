#include "http/http_answers.h"

#include "wire/answer_json.h"

nlohmann::ordered_json matchJson(const ostrev::Match& match) {
  AnswerFields fields;
  fields.artist = match.artist;
  fields.album = match.album;
  fields.track = match.track;
  fields.artistId = match.artist_id;
  fields.albumId = match.album_id;
  fields.trackId = match.track_id;
  fields.score = match.score;
  fields.albumScore = match.album_score;
  nlohmann::ordered_json answer = answerJson(fields);
  answer["stage"] = match.stage;
  answer["status"] = match.confident() ? "confident" : match.found() ? "low" : "none";
  answer["reasons"] = match.reasons;
  return answer;
}

std::string matchesBody(const char* name, const std::vector<ostrev::Match>& matches) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ostrev::Match& match : matches) list.push_back(matchJson(match));
  return jsonLine({{name, list}});
}
