// Intake: the reading of requests on the main thread. It accepts connections and reads all
// of them at once, each against its own whole-request deadline, and hands each request on
// as soon as it is complete; a slow or silent client holds up nobody else. Owns the
// connections it is reading; main thread only.
#ifndef OSTREV_SERVER_INTAKE_H_
#define OSTREV_SERVER_INTAKE_H_

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <list>
#include <memory>

#include "command.h"
#include "request_reader.h"
#include "wire/socket_io.h"

class Intake {
 public:
  // Takes a complete request's command; false when it could not be queued.
  using Deliver = std::function<bool(std::unique_ptr<command>*)>;

  // Connections read at once; accepting one more drops the one idle longest.
  static constexpr size_t kMostPending = 1024;

  // `listener` and `stopSignal` (see stopSignals()) stay the caller's.
  Intake(int listener, int stopSignal, int option_flags, Deliver deliver);

  // Serves until SIGTERM or SIGINT, a shutdown request from the server's own user (or
  // root), or in one-request mode the first request; returns the signal, or 0. The
  // connections still being read are closed when it returns.
  int run();

 private:
  struct Pending {
    unique_fd client;
    RequestReader reader;
    long long deadlineMs;
    long long lastActivityMs;
    bool uidKnown;
    uid_t uid;
  };

  void acceptWaitingConnections(long long now);
  void dropLongestIdle();
  // Hands the request on; sets stop_ when it ends the serving.
  void finishRequest(Pending* pending);
  // Milliseconds until the next deadline or the end of a pause in accepting; -1: none.
  int nextTimeout(long long now) const;

  const int listener_;
  const int stopSignal_;
  const int optionFlags_;
  const Deliver deliver_;
  const uid_t ownUid_;
  std::list<Pending> pending_;  // in the order accepted
  long long acceptPausedUntilMs_ = 0;
  bool stop_ = false;
};

#endif  // OSTREV_SERVER_INTAKE_H_
