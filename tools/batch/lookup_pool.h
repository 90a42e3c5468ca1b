// LookupPool: the sending threads and the rows in flight. Queries go in in input order and
// their answers come out in the same order, however the threads finish. Fed and drained
// by one thread; the destructor lets the threads finish the rows they are sending, leaves
// the rest and joins them.
#ifndef OSTREV_TOOLS_BATCH_LOOKUP_POOL_H_
#define OSTREV_TOOLS_BATCH_LOOKUP_POOL_H_

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/batch/answer.h"
#include "tools/batch/row.h"
#include "tools/batch/row_sender.h"

class LookupPool {
 public:
  LookupPool(int threads, RowSender& sender);
  ~LookupPool();
  LookupPool(const LookupPool&) = delete;
  LookupPool& operator=(const LookupPool&) = delete;

  // Queues a query for the threads.
  void submit(RowQuery query);

  // Queues an answer already known (a row that cannot be sent), to keep its place.
  void submitAnswered(Answer answer);

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

  RowSender& sender_;
  std::mutex mutex_;
  std::condition_variable queued_;
  std::condition_variable answered_;
  std::deque<Slot> slots_;  // in input order, from the oldest not taken
  size_t claimed_ = 0;      // slots_[0, claimed_) are done or being sent
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

#endif  // OSTREV_TOOLS_BATCH_LOOKUP_POOL_H_
