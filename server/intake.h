// Intake: the server's connections, on the main thread. It accepts connections, reads all
// of them at once, each against its own whole-request deadline, and hands each request on
// as soon as it is complete; it writes the replies the workers leave in the outbox as each
// client reads, each against its own deadline. Neither a slow client nor one that never
// reads holds up anybody else, and all of them together hold at most pendingBytesBudget().
// Owns the connections it is reading or writing; main thread only.
#ifndef OSTREV_SERVER_INTAKE_H_
#define OSTREV_SERVER_INTAKE_H_

#include <poll.h>
#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <vector>

#include "command.h"
#include "pending_replies.h"
#include "reply_outbox.h"
#include "request_reader.h"
#include "wire/socket_io.h"

class Intake {
 public:
  // Takes a complete request's command; false when it could not be queued.
  using Deliver = std::function<bool(std::unique_ptr<command>*)>;

  // Connections read at once; accepting one more drops the one idle longest.
  static constexpr size_t kMostPending = 1024;

  // `listener`, `stopSignal` (see stopSignals()) and `outbox` stay the caller's.
  Intake(int listener, int stopSignal, int option_flags, Deliver deliver, ReplyOutbox* outbox);

  // Serves until SIGTERM or SIGINT, a shutdown request from the server's own user (or
  // root), or in one-request mode the first request; returns the signal, or 0.
  int run();

  // After run(): closes the connections whose requests are still arriving, then writes the
  // replies the workers leave until `finished` says that no more will come and all are
  // written, or until `deadlineMs`; false when time ran out before `finished` held.
  bool drain(long long deadlineMs, const std::function<bool()>& finished);

 private:
  // A connection whose request is arriving; an invalid `client` marks one dropped.
  struct Pending {
    unique_fd client;
    RequestReader reader;
    long long deadlineMs;
    long long lastActivityMs;
    bool uidKnown;
    uid_t uid;
  };

  // Waits for the next event (until `untilMs` at the latest) and serves it; requests are
  // accepted and read only while `reading`. Returns a stop signal that arrived, or 0.
  int serveRound(bool reading, long long untilMs);
  void readRequests(const std::vector<std::list<Pending>::iterator>& readers, size_t first,
                    long long now);
  void takeReplies(long long now);
  void acceptWaitingConnections(long long now);
  void dropLongestIdle();
  // Hands the request on; sets stop_ when it ends the serving.
  void finishRequest(Pending* pending);
  // What the requests still arriving and the replies still being written hold.
  size_t bytesHeld() const;
  // Drops the connections holding most until `*held` fits the budget.
  void keepWithinBudget(size_t* held);
  // Milliseconds until the next deadline, the end of a pause in accepting, or `untilMs`;
  // -1: none.
  int nextTimeout(long long now, long long untilMs) const;

  const int listener_;
  const int stopSignal_;
  const int optionFlags_;
  const Deliver deliver_;
  ReplyOutbox* const outbox_;
  const uid_t ownUid_;
  const size_t budget_;
  std::list<Pending> pending_;  // in the order accepted
  PendingReplies replies_;
  std::vector<pollfd> fds_;
  long long acceptPausedUntilMs_ = 0;
  bool stop_ = false;
};

#endif  // OSTREV_SERVER_INTAKE_H_
