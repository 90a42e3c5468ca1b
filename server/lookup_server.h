// lookup_server: the engines, one per worker thread, the queue the intake (main thread)
// fills with commands, the workers that take them in arrival order, and the outbox in
// which the workers leave their replies for the intake to write. Each engine has its own
// catalogue connection and is used by its worker alone; the queue and the outbox are what
// the threads share.
#ifndef OSTREV_SERVER_LOOKUP_SERVER_H_
#define OSTREV_SERVER_LOOKUP_SERVER_H_

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "TextTrackLookup.h"
#include "blocking_queue.h"
#include "command.h"
#include "http/http_route.h"
#include "http/readiness_probe.h"
#include "reply_outbox.h"

class lookup_server {
 public:
  // Commands waiting for a worker; a request beyond them is closed unanswered.
  static constexpr size_t kMostQueued = 10000;
  // On a stop, the workers get this long to answer what is queued, and their clients to
  // read the answers.
  static constexpr int kStopSeconds = 10;

  // Builds the engines, which connect to the catalogue (a null name means the default
  // database).
  lookup_server(int option_flags, const char* db_name, int workers);
  lookup_server(const lookup_server&) = delete;
  lookup_server& operator=(const lookup_server&) = delete;

  // Listens on the socket (null means the default path), and on the HTTP address when one
  // is given, and serves until stopped (a signal, a shutdown request, one request in
  // one-request mode); then answers what is queued, removes the socket file and returns.
  // Ends the process with status 1 when it cannot listen or another server listens on the
  // path.
  void run(const char* socket_path, const std::string& http_address = "");

 private:
  bool enqueue(std::unique_ptr<command>* cmd);
  void worker_loop(TextTrackLookup* engine);
  bool workersEnded();
  // For the HTTP interface: whether lookups can be answered, and the gauges it shows.
  HttpAnswer readiness();
  std::string gauges();

  std::vector<std::unique_ptr<TextTrackLookup>> engines_;
  blocking_queue<std::unique_ptr<command>> queue_{kMostQueued};
  ReplyOutbox outbox_;
  int option_flags_;
  std::mutex stopping_;
  size_t workersRunning_ = 0;
  std::atomic<int> busyWorkers_{0};
  std::atomic<unsigned long long> catalogueFaults_{0};
  std::unique_ptr<ReadinessProbe> probe_;  // with HTTP and without the resident catalogue
};

// Ends the process with status 1 and a message when a server answers on `path`.
void refuseToTakeOver(const char* path);

#endif  // OSTREV_SERVER_LOOKUP_SERVER_H_
