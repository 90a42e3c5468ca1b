#include "tools/batch/request_kind.h"

#include <cstring>
#include <iterator>

#include "client/result_text.h"
#include "ostrev/scores.h"
#include "wire/client_exchange.h"
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

Answer readIdentify(const std::string& answer) {
  if (answer.size() != sizeof(lookup_result)) {
    return errorAnswer("an answer of " + std::to_string(answer.size()) + " bytes");
  }
  lookup_result result;
  memcpy(&result, answer.data(), sizeof(result));
  Answer read;
  const int score = truncatedScore(result.match_score);
  read.values = {result.track_id,
                 fieldText(result.track_name, sizeof(result.track_name)),
                 result.artist_id,
                 fieldText(result.artist_name, sizeof(result.artist_name)),
                 result.album_id,
                 fieldText(result.album_name, sizeof(result.album_name)),
                 score,
                 truncatedScore(result.album_score)};
  read.status = result.track_id == 0 ? Answer::kNone : statusOfScore(score);
  return read;
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
