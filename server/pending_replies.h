// PendingReplies: the finished replies the intake is writing, each as fast as its client
// reads and within its own deadline, so that no client that stops reading holds anything
// but its own connection. Owns the replies and their connections; intake thread only.
#ifndef OSTREV_SERVER_PENDING_REPLIES_H_
#define OSTREV_SERVER_PENDING_REPLIES_H_

#include <poll.h>

#include <cstddef>
#include <list>
#include <vector>

#include "reply.h"

class PendingReplies {
 public:
  // A reply not read whole within `timeoutMs` of being added is abandoned.
  explicit PendingReplies(long long timeoutMs) : timeoutMs_(timeoutMs) {}

  // Writes what the client takes at once and keeps the rest.
  void add(Reply reply, long long now);

  // Appends one descriptor to wait on per reply still being written, and remembers them as
  // the replies that the next service() call is about.
  void watch(std::vector<pollfd>* fds);
  // Goes on with the watched replies, whose events start at fds[first]: writes what their
  // clients take and ends those written whole, failed or out of time.
  void service(const std::vector<pollfd>& fds, size_t first, long long now);

  bool empty() const { return writing_.empty(); }
  size_t bytesHeld() const;
  size_t largestHeld() const;
  // Closes the connection of the reply holding most, unanswered. Not between watch() and
  // service().
  void dropLargest();
  // Closes every connection still waiting for its reply, unanswered, each with a log line.
  void abandonAll();
  // The earliest deadline, or LLONG_MAX when none.
  long long nextDeadline() const;

 private:
  struct Writing {
    Reply reply;
    size_t sent;
    long long deadlineMs;
  };
  using Iterator = std::list<Writing>::iterator;
  using ConstIterator = std::list<Writing>::const_iterator;

  // The reply holding most, or the end.
  ConstIterator largest() const;

  // True once the reply has been written whole or its client is gone.
  static bool writeSome(Writing* writing);
  static void logAbandoned();

  const long long timeoutMs_;
  std::list<Writing> writing_;
  std::vector<Iterator> watched_;
};

#endif  // OSTREV_SERVER_PENDING_REPLIES_H_
