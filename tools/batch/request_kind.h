// RequestKind: how a row is asked of the server, the fixed-form identify request or a
// candidates request, on the socket or over HTTP, and Answer: what the server's answer to
// it made of the row.
// Immutable; shared by every sending thread.
#ifndef OSTREV_TOOLS_BATCH_REQUEST_KIND_H_
#define OSTREV_TOOLS_BATCH_REQUEST_KIND_H_

#include <cstddef>
#include <string>
#include <vector>

#include "tools/batch/row.h"

// A result column's value: a number stays one in JSON Lines, a list of candidates stays a
// list. A string may hold any bytes; writers replace what is not UTF-8 where they must.
using ResultValue = nlohmann::ordered_json;

struct Answer {
  enum Status { kConfident, kLow, kNone, kError };
  static constexpr int kStatusCount = kError + 1;

  Status status = kError;
  std::vector<ResultValue> values;  // one per column of the request kind; none for kError
  std::string reason;               // for kError
};

// The output column after the request kind's.
constexpr char kStatusColumn[] = "status";

Answer errorAnswer(std::string reason);

// "confident", "low", "none" or "error".
const char* statusName(Answer::Status status);

// The status column: the status's name, for an error followed by ": " and the reason.
std::string statusText(const Answer& answer);

class RequestKind {
 public:
  // With `candidates` 0 the identify request, its best track read into match_track_id,
  // match_track, match_artist_id, match_artist, match_album_id, match_album, match_score
  // and match_album_score. Else a candidates request for at most that many tracks: the
  // best one read into the same columns up to match_score (its score as the server gives
  // it), then match_reasons, match_ambiguous and match_candidates (the whole list).
  explicit RequestKind(int candidates) : candidates_(candidates) {}

  // The result columns the answers fill, in order (the status column follows them).
  const std::vector<std::string>& columns() const;

  // The bytes sent on one connection for `query`; false, with `*problem` saying why, when
  // the request cannot carry the query.
  bool request(const RowQuery& query, std::string* bytes, std::string* problem) const;

  // The bytes of a whole answer, or kAnswerEndsAtClose.
  size_t answerBytes() const;

  // The answer (from the server: untrusted) as values and a status.
  Answer read(const std::string& answer) const;

  // The path and query of the HTTP request for `query`: /v1/identify or /v1/candidates,
  // its texts percent-encoded, empty ones left out.
  std::string httpTarget(const RowQuery& query) const;

  // The body of a 200 answer over HTTP (untrusted) as the same values and status as the
  // socket's answer gives them.
  Answer readHttp(const std::string& body) const;

 private:
  const int candidates_;
};

#endif  // OSTREV_TOOLS_BATCH_REQUEST_KIND_H_
