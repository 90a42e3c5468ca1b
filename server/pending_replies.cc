#include "pending_replies.h"

#include <errno.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "server_io.h"

void PendingReplies::add(Reply reply, long long now) {
  Writing writing{std::move(reply), 0, now + timeoutMs_};
  // Most replies fit in the socket's buffer and are done here.
  if (!writeSome(&writing)) writing_.push_back(std::move(writing));
}

void PendingReplies::watch(std::vector<pollfd>* fds) {
  watched_.clear();
  for (auto it = writing_.begin(); it != writing_.end(); ++it) {
    fds->push_back({it->reply.client.get(), POLLOUT, 0});
    watched_.push_back(it);
  }
}

void PendingReplies::service(const std::vector<pollfd>& fds, size_t first, long long now) {
  for (size_t i = 0; i < watched_.size(); ++i) {
    const Iterator it = watched_[i];
    if (fds[first + i].revents != 0 && writeSome(&*it)) {
      writing_.erase(it);
    } else if (now >= it->deadlineMs) {
      logAbandoned();
      writing_.erase(it);
    }
  }
  watched_.clear();
}

bool PendingReplies::writeSome(Writing* writing) {
  const std::string& bytes = writing->reply.bytes;
  while (writing->sent < bytes.size()) {
    const long n = sendAvailable(writing->reply.client.get(), bytes.data() + writing->sent,
                                 bytes.size() - writing->sent);
    if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) return false;
      perror(writing->reply.sendFailure);
      return true;
    }
    writing->sent += static_cast<size_t>(n);
  }
  return true;
}

void PendingReplies::logAbandoned() {
  printf("reply abandoned: client not reading\n");
  fflush(stdout);
}

size_t PendingReplies::bytesHeld() const {
  size_t held = 0;
  for (const Writing& writing : writing_) held += writing.reply.bytes.capacity();
  return held;
}

PendingReplies::ConstIterator PendingReplies::largest() const {
  return std::max_element(writing_.begin(), writing_.end(),
                          [](const Writing& a, const Writing& b) {
                            return a.reply.bytes.capacity() < b.reply.bytes.capacity();
                          });
}

size_t PendingReplies::largestHeld() const {
  const ConstIterator it = largest();
  return it != writing_.end() ? it->reply.bytes.capacity() : 0;
}

void PendingReplies::dropLargest() {
  const ConstIterator it = largest();
  if (it != writing_.end()) writing_.erase(it);
}

void PendingReplies::abandonAll() {
  for (size_t i = 0; i < writing_.size(); ++i) logAbandoned();
  writing_.clear();
  watched_.clear();
}

long long PendingReplies::nextDeadline() const {
  long long next = LLONG_MAX;
  for (const Writing& writing : writing_) next = std::min(next, writing.deadlineMs);
  return next;
}
