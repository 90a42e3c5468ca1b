// RequestKind: one way of asking the server about a row: the request's bytes, where the
// answer ends, and the answer read as result columns and a status. Immutable; shared by
// every sending thread.
#ifndef OSTREV_TOOLS_BATCH_REQUEST_KIND_H_
#define OSTREV_TOOLS_BATCH_REQUEST_KIND_H_

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "tools/batch/answer.h"
#include "tools/batch/row.h"

class RequestKind {
 public:
  virtual ~RequestKind() = default;

  // The result columns the answers fill, in order (the status column follows them).
  virtual const std::vector<std::string>& columns() const = 0;

  // The bytes sent on one connection for `query`; false, with `*problem` saying why, when
  // this kind cannot carry the query.
  virtual bool request(const RowQuery& query, std::string* bytes, std::string* problem) const = 0;

  // The bytes of a whole answer, fewer before the server closes being a failed exchange;
  // or kAnswerEndsAtClose.
  virtual size_t answerBytes() const = 0;

  // The answer (from the server: untrusted) as values and a status.
  virtual Answer read(const std::string& answer) const = 0;
};

// With `candidates` 0 the fixed-form identify request, its best track read into
// match_track_id, match_track, match_artist_id, match_artist, match_album_id, match_album,
// match_score and match_album_score. Else a candidates request for at most that many
// tracks: the best one read into the same columns (its score as the server gives it) up
// to match_score, then match_reasons, match_ambiguous and match_candidates (the list).
std::unique_ptr<RequestKind> makeRequestKind(int candidates);

#endif  // OSTREV_TOOLS_BATCH_REQUEST_KIND_H_
