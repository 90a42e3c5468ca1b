#include "client/result_json.h"

#include <nlohmann/json.hpp>

#include "client/result_text.h"

std::string resultJson(const lookup_result& result) {
  const nlohmann::ordered_json answer = {
      {"artist", fieldText(result.artist_name, sizeof(result.artist_name))},
      {"album", fieldText(result.album_name, sizeof(result.album_name))},
      {"track", fieldText(result.track_name, sizeof(result.track_name))},
      {"artist_id", result.artist_id},
      {"album_id", result.album_id},
      {"track_id", result.track_id},
      {"score", truncatedScore(result.match_score)},
      {"album_score", truncatedScore(result.album_score)},
  };
  return answer.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
