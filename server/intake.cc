#include "intake.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "command_line.h"
#include "intake_limits.h"
#include "server_io.h"

namespace {

// Accepting pauses this long when it fails for want of descriptors or memory, so that
// running out never spins.
constexpr long long kAcceptPauseMs = 100;

// The descriptors every round waits on before the connections: the stop signal, the
// listener and the outbox.
constexpr size_t kStopSlot = 0;
constexpr size_t kListenerSlot = 1;
constexpr size_t kOutboxSlot = 2;
constexpr size_t kFirstConnectionSlot = 3;

bool outOfResources(int error) {
  return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

}  // namespace

Intake::Intake(int listener, int stopSignal, int option_flags, Deliver deliver,
               ReplyOutbox* outbox)
    : listener_(listener),
      stopSignal_(stopSignal),
      optionFlags_(option_flags),
      deliver_(std::move(deliver)),
      outbox_(outbox),
      ownUid_(geteuid()),
      budget_(pendingBytesBudget()),
      replies_(replyTimeoutMs()) {}

int Intake::run() {
  while (!stop_) {
    const int signal = serveRound(true, LLONG_MAX);
    if (signal != 0) return signal;
  }
  return 0;
}

bool Intake::drain(long long deadlineMs, const std::function<bool()>& finished) {
  pending_.clear();
  for (;;) {
    // Asked before taking: every reply posted before the workers finished is taken below.
    const bool workersDone = finished();
    const long long now = monotonicMs();
    takeReplies(now);
    if (workersDone && replies_.empty()) return true;
    if (now >= deadlineMs) {
      replies_.abandonAll();
      return workersDone;
    }
    serveRound(false, deadlineMs);
  }
}

int Intake::serveRound(bool reading, long long untilMs) {
  long long now = monotonicMs();
  fds_.clear();
  fds_.push_back({reading ? stopSignal_ : -1, POLLIN, 0});
  fds_.push_back({reading && now >= acceptPausedUntilMs_ ? listener_ : -1, POLLIN, 0});
  fds_.push_back({outbox_->wakeFd(), POLLIN, 0});
  std::vector<std::list<Pending>::iterator> readers;
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    fds_.push_back({it->client.get(), POLLIN | POLLRDHUP, 0});
    readers.push_back(it);
  }
  const size_t firstReply = fds_.size();
  replies_.watch(&fds_);
  if (waitForEvents(fds_.data(), fds_.size(), nextTimeout(now, untilMs)) < 0) {
    perror("poll");
    return 0;
  }
  if (fds_[kStopSlot].revents != 0) {
    const int signal = takeSignal(stopSignal_);
    if (signal != 0) return signal;
  }

  now = monotonicMs();
  replies_.service(fds_, firstReply, now);
  if (fds_[kOutboxSlot].revents != 0) takeReplies(now);
  readRequests(readers, kFirstConnectionSlot, now);
  if (!stop_ && fds_[kListenerSlot].revents != 0) acceptWaitingConnections(now);
  return 0;
}

void Intake::readRequests(const std::vector<std::list<Pending>::iterator>& readers,
                          size_t first, long long now) {
  // Requests in the order their connections were accepted, each as far as it has come.
  size_t held = bytesHeld();
  for (size_t i = 0; i < readers.size() && !stop_; ++i) {
    Pending& pending = *readers[i];
    if (pending.client.get() < 0) continue;  // dropped for the budget this round
    const size_t before = pending.reader.bytesHeld();
    bool ended = now >= pending.deadlineMs;
    if (fds_[first + i].revents != 0) {
      pending.lastActivityMs = now;
      ended = pending.reader.readFrom(pending.client.get()) || ended;
    }
    held += pending.reader.bytesHeld() - before;
    if (ended) {
      held -= pending.reader.bytesHeld();
      if (!pending.reader.done()) pending.reader.fail(ETIMEDOUT);
      finishRequest(&pending);
      pending_.erase(readers[i]);
    }
    keepWithinBudget(&held);
  }
  pending_.remove_if([](const Pending& pending) { return pending.client.get() < 0; });
}

void Intake::takeReplies(long long now) {
  for (Reply& reply : outbox_->take()) replies_.add(std::move(reply), now);
  // A request dropped here stays in pending_, marked, until readRequests() removes it.
  size_t held = bytesHeld();
  keepWithinBudget(&held);
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

size_t Intake::bytesHeld() const {
  size_t held = replies_.bytesHeld();
  for (const Pending& pending : pending_) held += pending.reader.bytesHeld();
  return held;
}

void Intake::keepWithinBudget(size_t* held) {
  while (*held > budget_) {
    Pending* largest = nullptr;
    for (Pending& pending : pending_) {
      if (pending.client.get() >= 0 &&
          (largest == nullptr || pending.reader.bytesHeld() > largest->reader.bytesHeld())) {
        largest = &pending;
      }
    }
    const size_t requestBytes = largest != nullptr ? largest->reader.bytesHeld() : 0;
    const size_t replyBytes = replies_.largestHeld();
    const size_t dropped = std::max(requestBytes, replyBytes);
    if (dropped == 0) return;
    printf("Dropped the connection holding most: %zu bytes of %zu pending\n", dropped, *held);
    fflush(stdout);
    // A request loses to a reply of the same size: the reply has cost a lookup already.
    if (requestBytes >= replyBytes) {
      largest->client = unique_fd();
      largest->reader = RequestReader();
    } else {
      replies_.dropLargest();
    }
    *held -= dropped;
  }
}

void Intake::finishRequest(Pending* pending) {
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

int Intake::nextTimeout(long long now, long long untilMs) const {
  long long next = std::min(untilMs, replies_.nextDeadline());
  for (const Pending& pending : pending_) next = std::min(next, pending.deadlineMs);
  if (now < acceptPausedUntilMs_) next = std::min(next, acceptPausedUntilMs_);
  if (next == LLONG_MAX) return -1;
  return static_cast<int>(std::clamp(next - now, 0LL, static_cast<long long>(INT_MAX)));
}
