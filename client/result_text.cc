#include "client/result_text.h"

namespace {

void addLine(std::string* text, const char* key, const std::string& value) {
  text->append(key).append("|").append(value).append("\n");
}

}  // namespace

std::string resultText(const lookup_result& result) {
  std::string text;
  addLine(&text, "Artist", fieldText(result.artist_name, sizeof(result.artist_name)));
  addLine(&text, "Album", fieldText(result.album_name, sizeof(result.album_name)));
  addLine(&text, "Track", fieldText(result.track_name, sizeof(result.track_name)));
  addLine(&text, "IDArtist", std::to_string(result.artist_id));
  addLine(&text, "IDAlbum", std::to_string(result.album_id));
  addLine(&text, "IDTrack", std::to_string(result.track_id));
  addLine(&text, "MatchScore", std::to_string(truncatedScore(result.match_score)));
  addLine(&text, "AlbumScore", std::to_string(truncatedScore(result.album_score)));
  return text;
}
