#include "wire/answer_json.h"

#include <climits>
#include <cmath>

nlohmann::ordered_json answerJson(const AnswerFields& answer) {
  return {
      {"artist", answer.artist},
      {"album", answer.album},
      {"track", answer.track},
      {"artist_id", answer.artistId},
      {"album_id", answer.albumId},
      {"track_id", answer.trackId},
      {"score", truncatedScore(answer.score)},
      {"album_score", truncatedScore(answer.albumScore)},
  };
}

std::string jsonLine(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

int truncatedScore(float score) {
  if (std::isnan(score)) return 0;
  if (score >= 2147483648.0f) return INT_MAX;
  if (score <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(score);
}
