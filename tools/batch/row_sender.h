// RowSender: one way of asking the server a row's query, and Attempt: what one try gave.
// Each lookup thread of the pool owns a sender of its own (with its connection, if it
// keeps one) and is the only one to call it.
#ifndef OSTREV_TOOLS_BATCH_ROW_SENDER_H_
#define OSTREV_TOOLS_BATCH_ROW_SENDER_H_

#include "tools/batch/request_kind.h"

// Longer than the server's own limits on a lookup; a server that never answers must not
// hold the batch. Each try has this long, connecting included.
constexpr int kLookupTimeoutMs = 60 * 1000;

struct Attempt {
  bool answered = false;       // the server answered, with a result or a refusal
  bool worthRetrying = false;  // not answered: the server could not be reached or went away
  Answer answer;               // an error answer when not answered
};

class RowSender {
 public:
  virtual ~RowSender() = default;

  virtual Attempt send(const RowQuery& query) = 0;
};

#endif  // OSTREV_TOOLS_BATCH_ROW_SENDER_H_
