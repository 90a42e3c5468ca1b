#include "tools/batch/identify_request.h"

#include <cstring>

#include "client/result_text.h"
#include "wire/wire_format.h"

namespace {

template <size_t N>
void setField(char (&field)[N], const std::string& text) {
  setQueryField(field, N, text);
}

template <size_t N>
std::string nameOf(const char (&field)[N]) {
  return fieldText(field, N);
}

}  // namespace

IdentifyRequest::IdentifyRequest()
    : columns_({"match_track_id", "match_track", "match_artist_id", "match_artist",
                "match_album_id", "match_album", "match_score", "match_album_score"}) {}

bool IdentifyRequest::request(const RowQuery& query, std::string* bytes, std::string*) const {
  lookup_query wire;
  setField(wire.command_name, kIdentifyName);
  setField(wire.artist, query.artist);
  setField(wire.album, query.album);
  setField(wire.track, query.title);
  setField(wire.isrc, query.isrc);
  setField(wire.upc, query.upc);
  bytes->assign(reinterpret_cast<const char*>(&wire), sizeof(wire));
  return true;
}

size_t IdentifyRequest::answerBytes() const { return kResultSize; }

Answer IdentifyRequest::read(const std::string& answer) const {
  if (answer.size() != sizeof(lookup_result)) {
    return errorAnswer("an answer of " + std::to_string(answer.size()) + " bytes");
  }
  lookup_result result;
  memcpy(&result, answer.data(), sizeof(result));
  Answer read;
  const int score = truncatedScore(result.match_score);
  read.values = {result.track_id,
                 nameOf(result.track_name),
                 result.artist_id,
                 nameOf(result.artist_name),
                 result.album_id,
                 nameOf(result.album_name),
                 score,
                 truncatedScore(result.album_score)};
  if (result.track_id == 0) {
    read.status = Answer::kNone;
  } else {
    read.status = statusOfScore(score);
  }
  return read;
}
