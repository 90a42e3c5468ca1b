#include "intake.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "command_line.h"
#include "read_request.h"
#include "server_io.h"

namespace {

// Accepting pauses this long when it fails for want of descriptors or memory, so that
// running out never spins.
constexpr long long kAcceptPauseMs = 100;

bool outOfResources(int error) {
  return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

}  // namespace

Intake::Intake(int listener, int stopSignal, int option_flags, Deliver deliver)
    : listener_(listener),
      stopSignal_(stopSignal),
      optionFlags_(option_flags),
      deliver_(std::move(deliver)),
      ownUid_(geteuid()) {}

int Intake::run() {
  std::vector<pollfd> fds;
  std::vector<std::list<Pending>::iterator> readers;
  while (!stop_) {
    long long now = monotonicMs();
    fds.clear();
    readers.clear();
    fds.push_back({stopSignal_, POLLIN, 0});
    fds.push_back({now >= acceptPausedUntilMs_ ? listener_ : -1, POLLIN, 0});
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
      fds.push_back({it->client.get(), POLLIN | POLLRDHUP, 0});
      readers.push_back(it);
    }
    if (waitForEvents(fds.data(), fds.size(), nextTimeout(now)) < 0) {
      perror("poll");
      continue;
    }
    if (fds[0].revents != 0) {
      const int signal = takeSignal(stopSignal_);
      if (signal != 0) return signal;
    }

    // Requests in the order their connections were accepted, each as far as it has come.
    now = monotonicMs();
    for (size_t i = 0; i < readers.size() && !stop_; ++i) {
      Pending& pending = *readers[i];
      if (fds[i + 2].revents != 0) {
        pending.lastActivityMs = now;
        if (!pending.reader.readFrom(pending.client.get()) && now < pending.deadlineMs) continue;
      } else if (now < pending.deadlineMs) {
        continue;
      }
      if (!pending.reader.done()) pending.reader.fail(ETIMEDOUT);
      finishRequest(&pending);
      pending_.erase(readers[i]);
    }
    if (!stop_ && fds[1].revents != 0) acceptWaitingConnections(now);
  }
  return 0;
}

void Intake::acceptWaitingConnections(long long now) {
  for (;;) {
    const int fd = acceptWaiting(listener_);
    if (fd < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) return;
      perror("ERROR: accept");
      if (outOfResources(errno)) acceptPausedUntilMs_ = now + kAcceptPauseMs;
      return;
    }
    if (pending_.size() >= kMostPending) dropLongestIdle();
    Pending pending{unique_fd(fd), RequestReader(), now + requestTimeoutMs(), now, false, 0};
    pending.uidKnown = peerUid(fd, &pending.uid);
    pending_.push_back(std::move(pending));
  }
}

void Intake::dropLongestIdle() {
  auto idlest = std::min_element(pending_.begin(), pending_.end(),
                                 [](const Pending& a, const Pending& b) {
                                   return a.lastActivityMs < b.lastActivityMs;
                                 });
  printf("Dropped the connection idle longest: %zu connections pending\n", pending_.size());
  fflush(stdout);
  pending_.erase(idlest);
}

void Intake::finishRequest(Pending* pending) {
  // Commands write their answers whole, so the connection blocks again from here on.
  setBlocking(pending->client.get());
  std::unique_ptr<command> cmd = pending->reader.finish(std::move(pending->client), optionFlags_);
  if (optionFlags_ & OPT_ONEREQUEST) stop_ = true;
  if (cmd->kind == command::kShutdown) {
    if (!pending->uidKnown || (pending->uid != ownUid_ && pending->uid != 0)) {
      printf("shutdown refused for uid %ld\n",
             pending->uidKnown ? static_cast<long>(pending->uid) : -1L);
      fflush(stdout);
      return;
    }
    // Queued all the same: it marks where the answers end, in the log as in the queue.
    stop_ = true;
  }
  if (!deliver_(&cmd)) {
    printf("Queue full: request closed unanswered\n");
    fflush(stdout);
  }
}

int Intake::nextTimeout(long long now) const {
  long long next = LLONG_MAX;
  for (const Pending& pending : pending_) next = std::min(next, pending.deadlineMs);
  if (now < acceptPausedUntilMs_) next = std::min(next, acceptPausedUntilMs_);
  if (next == LLONG_MAX) return -1;
  return static_cast<int>(std::clamp(next - now, 0LL, static_cast<long long>(INT_MAX)));
}
