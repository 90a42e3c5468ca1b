#include "reply_outbox.h"

#include <utility>

#include "server_io.h"

ReplyOutbox::ReplyOutbox() : wake_(wakeDescriptor()) {}

void ReplyOutbox::post(Reply reply) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_.push_back(std::move(reply));
  }
  wake(wake_.get());
}

void ReplyOutbox::wakeIntake() { wake(wake_.get()); }

std::vector<Reply> ReplyOutbox::take() {
  // Cleared before taking: a reply posted meanwhile wakes the intake again.
  clearWake(wake_.get());
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Reply> taken;
  taken.swap(replies_);
  return taken;
}
