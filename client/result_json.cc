#include "client/result_json.h"

#include "wire/answer_json.h"

std::string resultJson(const lookup_result& result) {
  AnswerFields answer;
  answer.artist = fieldText(result.artist_name, sizeof(result.artist_name));
  answer.album = fieldText(result.album_name, sizeof(result.album_name));
  answer.track = fieldText(result.track_name, sizeof(result.track_name));
  answer.artistId = result.artist_id;
  answer.albumId = result.album_id;
  answer.trackId = result.track_id;
  answer.score = result.match_score;
  answer.albumScore = result.album_score;
  return jsonLine(answerJson(answer));
}
