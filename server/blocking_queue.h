// blocking_queue: items handed from producer threads to consumer threads in arrival
// order, up to a capacity, until closed. The queue owns the items it holds; every member
// may be called from any thread.
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
  explicit blocking_queue(size_t capacity) : capacity_(capacity) {}
  blocking_queue(const blocking_queue&) = delete;
  blocking_queue& operator=(const blocking_queue&) = delete;

  // Appends `item`, then calls `announce` with the new size while still holding the lock,
  // so whatever it prints comes before a consumer can take the item. When the queue is
  // full or closed, `*item` is left to the caller and the result is false.
  template <typename Announce>
  bool push(T* item, Announce&& announce) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_ || items_.size() >= capacity_) return false;
    items_.push_back(std::move(*item));
    announce(items_.size());
    ready_.notify_one();
    return true;
  }

  // Waits until an item is there and takes the oldest; T() once the queue is closed and
  // every item taken.
  T pop() {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return !items_.empty() || closed_; });
    if (items_.empty()) return T();
    T item = std::move(items_.front());
    items_.pop_front();
    return item;
  }

  size_t size() {
    std::lock_guard<std::mutex> lock(mutex_);
    return items_.size();
  }

  // Takes no more items; those held are still handed out.
  void close() {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    ready_.notify_all();
  }

 private:
  const size_t capacity_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<T> items_;
  bool closed_ = false;
};

#endif  // OSTREV_SERVER_BLOCKING_QUEUE_H_
