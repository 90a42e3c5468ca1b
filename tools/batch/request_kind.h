// RequestKind: one way of asking the server about a row: the request's bytes, where the
// answer ends, and the answer read as result columns and a status. A new kind of request
// is one more implementation. Immutable; shared by every sending thread.
#ifndef OSTREV_TOOLS_BATCH_REQUEST_KIND_H_
#define OSTREV_TOOLS_BATCH_REQUEST_KIND_H_

#include <cstddef>
#include <string>
#include <vector>

#include "tools/batch/answer.h"
#include "tools/batch/row_query.h"
#include "wire/client_exchange.h"

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

#endif  // OSTREV_TOOLS_BATCH_REQUEST_KIND_H_
