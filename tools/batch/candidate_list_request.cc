#include "tools/batch/candidate_list_request.h"

#include <iterator>

#include "wire/variable_request.h"

namespace {

// The best candidate's keys, in the order of the result columns they fill.
constexpr const char* kBestKeys[] = {"track_id", "track", "artist_id", "artist",
                                     "album_id", "album", "score"};

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

}  // namespace

CandidateListRequest::CandidateListRequest(int limit)
    : limit_(limit),
      columns_({"match_track_id", "match_track", "match_artist_id", "match_artist",
                "match_album_id", "match_album", "match_score", "match_reasons",
                "match_ambiguous", "match_candidates"}) {}

bool CandidateListRequest::request(const RowQuery& query, std::string* bytes,
                                   std::string* problem) const {
  CandidatesQuery texts;
  texts.artist = query.artist;
  texts.album = query.album;
  texts.title = query.title;
  texts.isrc = query.isrc;
  texts.upc = query.upc;
  texts.limit = limit_;
  if (candidatesRequest(texts, bytes)) return true;
  *problem = "the candidates request would be too long";
  return false;
}

Answer CandidateListRequest::read(const std::string& answer) const {
  const ResultValue object = ResultValue::parse(answer, nullptr, false);
  if (!object.is_object()) return errorAnswer("an answer that is no JSON object");
  const auto error = object.find("error");
  if (error != object.end()) {
    return errorAnswer("the server refused the request: " + valueText(*error));
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
