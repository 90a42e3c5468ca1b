// ReadinessProbe: whether the catalogue database answers, asked once a second on a thread
// of its own with a connection of its own, so that a readiness check never waits on the
// database. Owns the thread and the connection; ready() from any thread.
#ifndef OSTREV_SERVER_HTTP_READINESS_PROBE_H_
#define OSTREV_SERVER_HTTP_READINESS_PROBE_H_

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class ReadinessProbe {
 public:
  ReadinessProbe(std::string host, std::string user, std::string password,
                 std::string database);
  ~ReadinessProbe();

  ReadinessProbe(const ReadinessProbe&) = delete;
  ReadinessProbe& operator=(const ReadinessProbe&) = delete;

  // Whether the last probe reached the catalogue; else why not.
  bool ready(std::string* problem) const;

 private:
  void run(std::string host, std::string user, std::string password, std::string database);

  mutable std::mutex mutex_;
  std::condition_variable stop_;
  bool stopping_ = false;              // guarded by mutex_
  bool ready_ = false;                 // guarded by mutex_
  std::string problem_ = "not probed yet";  // guarded by mutex_
  std::thread thread_;
};

#endif  // OSTREV_SERVER_HTTP_READINESS_PROBE_H_
