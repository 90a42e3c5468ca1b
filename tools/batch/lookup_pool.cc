#include "tools/batch/lookup_pool.h"

namespace {

// The pauses before the second, third and fourth try.
constexpr std::chrono::milliseconds kRetryPauses[] = {std::chrono::milliseconds(200),
                                                      std::chrono::milliseconds(500),
                                                      std::chrono::milliseconds(1000)};
constexpr int kRetryCount = sizeof(kRetryPauses) / sizeof(kRetryPauses[0]);

}  // namespace

LookupPool::LookupPool(int threads, SenderMaker makeSender) : makeSender_(std::move(makeSender)) {
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

void LookupPool::submit(const Row& row) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_.emplace_back();
    Slot& slot = slots_.back();
    slot.query = row.query;
    slot.done = !row.problem.empty();
    if (slot.done) slot.answer = errorAnswer(row.problem);
  }
  queued_.notify_one();
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
  const std::unique_ptr<RowSender> sender = makeSender_();
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
    Answer answer = send(*sender, query);
    lock.lock();
    slot.answer = std::move(answer);
    slot.done = true;
    answered_.notify_one();
  }
}

Answer LookupPool::send(RowSender& sender, const RowQuery& query) {
  const int retries = serverGone_.load() ? 0 : kRetryCount;
  for (int attempt = 0;; ++attempt) {
    Attempt tried = sender.send(query);
    if (tried.answered) serverGone_.store(false);
    if (tried.answered || !tried.worthRetrying) return std::move(tried.answer);
    if (attempt == retries) {
      serverGone_.store(true);
      return std::move(tried.answer);
    }
    std::this_thread::sleep_for(kRetryPauses[attempt]);
  }
}
