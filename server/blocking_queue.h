// blocking_queue: items handed from producer threads to consumer threads in arrival
// order. The queue owns the items it holds; every member may be called from any thread.
#ifndef OSTREV_SERVER_BLOCKING_QUEUE_H_
#define OSTREV_SERVER_BLOCKING_QUEUE_H_

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>

template <typename T>
class blocking_queue {
 public:
  blocking_queue() = default;
  blocking_queue(const blocking_queue&) = delete;
  blocking_queue& operator=(const blocking_queue&) = delete;

  // Appends `item`, then calls `announce` with the new size while still holding the lock,
  // so whatever it prints comes before a consumer can take the item.
  template <typename Announce>
  void push(T item, Announce&& announce) {
    std::lock_guard<std::mutex> lock(mutex_);
    items_.push_back(std::move(item));
    announce(items_.size());
    ready_.notify_one();
  }

  // Waits until an item is there and takes the oldest.
  T pop() {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return !items_.empty(); });
    T item = std::move(items_.front());
    items_.pop_front();
    return item;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<T> items_;
};

#endif  // OSTREV_SERVER_BLOCKING_QUEUE_H_
