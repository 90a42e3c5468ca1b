#include "tools/batch/lookup_pool.h"

LookupPool::LookupPool(int threads, RowSender& sender) : sender_(sender) {
  for (int i = 0; i < threads; ++i) threads_.emplace_back(&LookupPool::work, this);
}

LookupPool::~LookupPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  queued_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void LookupPool::submit(RowQuery query) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_.emplace_back();
    slots_.back().query = std::move(query);
  }
  queued_.notify_one();
}

void LookupPool::submitAnswered(Answer answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  slots_.emplace_back();
  slots_.back().done = true;
  slots_.back().answer = std::move(answer);
}

bool LookupPool::takeNext(Answer* answer, std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!answered_.wait_for(lock, wait, [this] { return !slots_.empty() && slots_.front().done; })) {
    return false;
  }
  *answer = std::move(slots_.front().answer);
  slots_.pop_front();
  if (claimed_ > 0) --claimed_;
  return true;
}

void LookupPool::work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    // Rows left when stopping are never taken.
    if (stopping_) return;
    // Rows answered on submission are passed over.
    while (claimed_ < slots_.size() && slots_[claimed_].done) ++claimed_;
    if (claimed_ == slots_.size()) {
      queued_.wait(lock);
      continue;
    }
    // Slots stay where they are while a thread works on one: only the oldest done one is
    // ever taken away.
    Slot& slot = slots_[claimed_++];
    RowQuery query = std::move(slot.query);
    lock.unlock();
    Answer answer = sender_.send(query);
    lock.lock();
    slot.answer = std::move(answer);
    slot.done = true;
    answered_.notify_one();
  }
}
