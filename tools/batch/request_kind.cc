#include "tools/batch/request_kind.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <iterator>

#include "client/result_text.h"
#include "ostrev/scores.h"
#include "wire/client_exchange.h"
#include "wire/percent_encoding.h"
#include "wire/variable_request.h"

namespace {

const std::vector<std::string> kIdentifyColumns = {
    "match_track_id", "match_track", "match_artist_id", "match_artist",
    "match_album_id", "match_album", "match_score",     "match_album_score"};

const std::vector<std::string> kCandidatesColumns = {
    "match_track_id", "match_track", "match_artist_id", "match_artist",    "match_album_id",
    "match_album",    "match_score", "match_reasons",   "match_ambiguous", "match_candidates"};

// The best candidate's keys, in the order of the result columns they fill.
constexpr const char* kBestKeys[] = {"track_id", "track", "artist_id", "artist",
                                     "album_id", "album", "score"};

Answer::Status statusOfScore(double score) {
  return score >= ostrev::kConfidentScore ? Answer::kConfident : Answer::kLow;
}

std::string identifyRequest(const RowQuery& query) {
  lookup_query wire;
  setQueryField(wire.command_name, sizeof(wire.command_name), kIdentifyName);
  setQueryField(wire.artist, sizeof(wire.artist), query.artist);
  setQueryField(wire.album, sizeof(wire.album), query.album);
  setQueryField(wire.track, sizeof(wire.track), query.title);
  setQueryField(wire.isrc, sizeof(wire.isrc), query.isrc);
  setQueryField(wire.upc, sizeof(wire.upc), query.upc);
  return std::string(reinterpret_cast<const char*>(&wire), sizeof(wire));
}

// The best track of an identify answer, however it was read.
struct FoundTrack {
  ResultValue trackId;
  std::string track;
  ResultValue artistId;
  std::string artist;
  ResultValue albumId;
  std::string album;
  float score;
  float albumScore;
};

Answer identifyAnswer(FoundTrack found) {
  Answer read;
  const int score = truncatedScore(found.score);
  read.status = found.trackId == 0 ? Answer::kNone : statusOfScore(score);
  read.values = {std::move(found.trackId),  std::move(found.track), std::move(found.artistId),
                 std::move(found.artist),   std::move(found.albumId), std::move(found.album),
                 score, truncatedScore(found.albumScore)};
  return read;
}

Answer readIdentify(const std::string& answer) {
  if (answer.size() != sizeof(lookup_result)) {
    return errorAnswer("an answer of " + std::to_string(answer.size()) + " bytes");
  }
  lookup_result result;
  memcpy(&result, answer.data(), sizeof(result));
  return identifyAnswer({result.track_id, fieldText(result.track_name, sizeof(result.track_name)),
                         result.artist_id,
                         fieldText(result.artist_name, sizeof(result.artist_name)),
                         result.album_id, fieldText(result.album_name, sizeof(result.album_name)),
                         result.match_score, result.album_score});
}

// A JSON score as the float the socket carries, saturated so that no number converts out
// of range.
float scoreOf(const ResultValue& number) {
  const double value = number.get<double>();
  return static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
}

// An HTTP answer object: its ids whole numbers, its names strings, its scores numbers.
Answer readIdentifyJson(const std::string& body) {
  const ResultValue object = ResultValue::parse(body, nullptr, false);
  if (!object.is_object()) return errorAnswer("an answer that is no JSON object");
  for (const char* id : {"track_id", "artist_id", "album_id"}) {
    if (!object.value(id, ResultValue()).is_number_integer()) {
      return errorAnswer(std::string("an answer without its ") + id);
    }
  }
  for (const char* name : {"track", "artist", "album"}) {
    if (!object.value(name, ResultValue()).is_string()) {
      return errorAnswer(std::string("an answer without its ") + name);
    }
  }
  for (const char* score : {"score", "album_score"}) {
    if (!object.value(score, ResultValue()).is_number()) {
      return errorAnswer(std::string("an answer without its ") + score);
    }
  }
  return identifyAnswer({object["track_id"], object["track"].get<std::string>(),
                         object["artist_id"], object["artist"].get<std::string>(),
                         object["album_id"], object["album"].get<std::string>(),
                         scoreOf(object["score"]), scoreOf(object["album_score"])});
}

// Why the server doubts a candidate, as one column: its reasons joined by "; ".
std::string reasonsText(const ResultValue& reasons) {
  std::string text;
  if (!reasons.is_array()) return text;
  for (const ResultValue& reason : reasons) {
    if (!reason.is_string()) continue;
    if (!text.empty()) text += "; ";
    text += reason.get<std::string>();
  }
  return text;
}

Answer readCandidates(const std::string& answer) {
  const ResultValue object = ResultValue::parse(answer, nullptr, false);
  if (!object.is_object()) return errorAnswer("an answer that is no JSON object");
  const auto error = object.find("error");
  if (error != object.end()) {
    return errorAnswer("the server refused the request: " + cellText(*error));
  }
  const auto list = object.find("candidates");
  const auto ambiguous = object.find("ambiguous");
  if (list == object.end() || !list->is_array() || ambiguous == object.end() ||
      !ambiguous->is_boolean()) {
    return errorAnswer("an answer without its candidates");
  }
  Answer read;
  if (list->empty()) {
    read.status = Answer::kNone;
    read.values.assign(std::size(kBestKeys) + 1, nullptr);
  } else {
    const ResultValue& best = list->front();
    if (!best.is_object() || !best.value("score", ResultValue()).is_number()) {
      return errorAnswer("an answer whose best candidate has no score");
    }
    for (const char* key : kBestKeys) read.values.push_back(best.value(key, ResultValue()));
    read.values.push_back(reasonsText(best.value("reasons", ResultValue())));
    read.status = statusOfScore(best["score"].get<double>());
  }
  read.values.push_back(*ambiguous);
  read.values.push_back(*list);
  return read;
}

}  // namespace

Answer errorAnswer(std::string reason) {
  Answer answer;
  answer.reason = std::move(reason);
  return answer;
}

const char* statusName(Answer::Status status) {
  constexpr const char* kNames[] = {"confident", "low", "none", "error"};
  return kNames[status];
}

std::string statusText(const Answer& answer) {
  std::string text = statusName(answer.status);
  if (answer.status == Answer::kError) text += ": " + answer.reason;
  return text;
}

const std::vector<std::string>& RequestKind::columns() const {
  return candidates_ > 0 ? kCandidatesColumns : kIdentifyColumns;
}

bool RequestKind::request(const RowQuery& query, std::string* bytes, std::string* problem) const {
  if (candidates_ == 0) {
    *bytes = identifyRequest(query);
    return true;
  }
  const CandidatesQuery texts{query.artist, query.album, query.title,
                              query.isrc,   query.upc,   candidates_};
  if (candidatesRequest(texts, bytes)) return true;
  *problem = "the candidates request would be too long";
  return false;
}

size_t RequestKind::answerBytes() const {
  return candidates_ > 0 ? kAnswerEndsAtClose : kResultSize;
}

Answer RequestKind::read(const std::string& answer) const {
  return candidates_ > 0 ? readCandidates(answer) : readIdentify(answer);
}

std::string RequestKind::httpTarget(const RowQuery& query) const {
  std::string parameters;
  for (const QueryColumn& column : kQueryColumns) {
    const std::string& text = query.*column.field;
    if (text.empty()) continue;
    parameters += (parameters.empty() ? "?" : "&") + std::string(column.name) + "=" +
                  percentEncoded(text);
  }
  if (candidates_ == 0) return "/v1/identify" + parameters;
  return "/v1/candidates" + parameters + (parameters.empty() ? "?" : "&") +
         "limit=" + std::to_string(candidates_);
}

// The candidates come as the socket's candidates answer.
Answer RequestKind::readHttp(const std::string& body) const {
  return candidates_ > 0 ? readCandidates(body) : readIdentifyJson(body);
}
