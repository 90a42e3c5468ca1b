// LookupPool: the sending threads and the rows in flight, answers out in input order however
// the threads finish. Fed and drained by one thread; the destructor lets the threads finish
// the rows they are sending, leaves the rest and joins them.
#ifndef OSTREV_TOOLS_BATCH_LOOKUP_POOL_H_
#define OSTREV_TOOLS_BATCH_LOOKUP_POOL_H_

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/batch/row_sender.h"

class LookupPool {
 public:
  // Makes one sender for each thread, on that thread.
  using SenderMaker = std::function<std::unique_ptr<RowSender>()>;

  LookupPool(int threads, SenderMaker makeSender);
  ~LookupPool();
  LookupPool(const LookupPool&) = delete;
  LookupPool& operator=(const LookupPool&) = delete;

  // Queues a row's query for the threads; a row that cannot be sent keeps its place with
  // its problem as the answer.
  void submit(const Row& row);

  // Takes the answer of the oldest row not taken yet, waiting at most `wait` for it. False
  // when it is not ready by then (or nothing is in flight).
  bool takeNext(Answer* answer, std::chrono::milliseconds wait);

 private:
  struct Slot {
    RowQuery query;
    bool done = false;
    Answer answer;
  };

  void work();

  // Tries again after a pause while the server cannot be reached or closes without an
  // answer. Once a query has used up its tries the server counts as gone, and later ones
  // get one try each until one is answered again.
  Answer send(RowSender& sender, const RowQuery& query);

  const SenderMaker makeSender_;
  std::atomic<bool> serverGone_{false};
  std::mutex mutex_;
  std::condition_variable queued_;
  std::condition_variable answered_;
  std::deque<Slot> slots_;  // in input order, from the oldest not taken
  size_t claimed_ = 0;      // slots_[0, claimed_) are done or being sent
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

#endif  // OSTREV_TOOLS_BATCH_LOOKUP_POOL_H_
