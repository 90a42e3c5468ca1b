#include "lookup_server.h"

#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

#include "Defaults.h"
#include "catalogue_refresher.h"
#include "http/http_listener.h"
#include "http/http_metrics.h"
#include "wire/answer_json.h"
#include "command_line.h"
#include "index_reloader.h"
#include "intake.h"
#include "server_io.h"

lookup_server::lookup_server(int option_flags, const char* db_name, int workers)
    : option_flags_(option_flags) {
  const std::string user = kDefaultDatabaseUser;
  const std::string password = kDefaultDatabasePassword;
  const std::string database = db_name != nullptr ? db_name : kDefaultDatabaseName;
  engines_.push_back(std::make_unique<TextTrackLookup>(option_flags, &user, &password, &database));
  for (int i = 1; i < workers; ++i) engines_.push_back(engines_.front()->makeSibling());
}

bool lookup_server::enqueue(std::unique_ptr<command>* cmd) {
  return queue_.push(cmd, [](size_t size) {
    printf("\nQueue Size: %zu\n\n", size);
    fflush(stdout);
  });
}

void lookup_server::worker_loop(TextTrackLookup* engine) {
  // Null once the queue is closed and empty.
  while (std::unique_ptr<command> cmd = queue_.pop()) {
    ++busyWorkers_;
    cmd->do_it(engine, option_flags_);
    --busyWorkers_;
    if (engine->catalogueFault().occurred()) ++catalogueFaults_;
    // The intake writes the reply: a client that does not read holds no worker.
    if (std::optional<Reply> reply = cmd->takeReply()) outbox_.post(std::move(*reply));
  }
  {
    std::lock_guard<std::mutex> lock(stopping_);
    --workersRunning_;
  }
  outbox_.wakeIntake();
}

bool lookup_server::workersEnded() {
  std::lock_guard<std::mutex> lock(stopping_);
  return workersRunning_ == 0;
}

void refuseToTakeOver(const char* path) {
  if (!serverListensOn(path)) return;
  fprintf(stderr, "ostrevd: a server is already listening on %s\n", path);
  exit(1);
}

HttpAnswer lookup_server::readiness() {
  std::string problem = "the catalogue is not loaded yet";
  const bool ready = probe_ != nullptr
                         ? probe_->ready(&problem)
                         : engines_.front()->shared->residentCatalogue() != nullptr;
  if (ready) return {200, "{\"status\":\"ready\"}\n"};
  return {503, jsonLine({{"status", "not ready"}, {"error", problem}})};
}

std::string lookup_server::gauges() {
  const SharedEngineState& shared = *engines_.front()->shared;
  const std::shared_ptr<const ResidentCatalogue> resident = shared.residentCatalogue();
  const std::shared_ptr<const FuzzyTrackIndex> index = shared.fuzzyIndex();
  return prometheusValue("ostrev_queue_depth", "gauge", "Requests waiting for a worker.",
                         static_cast<double>(queue_.size())) +
         prometheusValue("ostrev_workers", "gauge", "Worker threads.",
                         static_cast<double>(engines_.size())) +
         prometheusValue("ostrev_busy_workers", "gauge", "Workers answering a request.",
                         busyWorkers_.load()) +
         prometheusValue("ostrev_catalogue_faults_total", "counter",
                         "Requests during which the catalogue could not be reached.",
                         static_cast<double>(catalogueFaults_.load())) +
         prometheusValue("ostrev_resident_catalogue_tracks", "gauge",
                         "Tracks of the resident catalogue (0 without --in-memory).",
                         resident ? static_cast<double>(resident->trackCount()) : 0) +
         prometheusValue("ostrev_resident_catalogue_generation", "gauge",
                         "The catalogue generation the resident catalogue was read at.",
                         static_cast<double>(shared.residentGeneration())) +
         prometheusValue("ostrev_resident_catalogue_age_seconds", "gauge",
                         "Since the resident catalogue was read.", shared.residentAgeSeconds()) +
         prometheusValue("ostrev_fuzzy_index_tracks", "gauge",
                         "Tracks of the fuzzy index (0 without --fuzzy).",
                         index ? static_cast<double>(index->trackCount()) : 0);
}

void lookup_server::run(const char* socket_path, const std::string& http_address) {
  // A client that hangs up before its answer must cost an error line, not the server.
  signal(SIGPIPE, SIG_IGN);
  returnLargeBlocksWhenFreed();
  // Before any other thread starts, so that all of them inherit the signals blocked.
  unique_fd stopSignal = stopSignals();
  if (stopSignal.get() < 0) {
    perror("signalfd");
    exit(1);
  }
  if (!outbox_.valid()) {
    perror("eventfd");
    exit(1);
  }
  if (option_flags_ & (OPT_FUZZY | OPT_INMEMORY)) startIndexReloader(engines_.front().get());
  if (option_flags_ & OPT_INMEMORY) startCatalogueRefresher(engines_.front().get());

  const char* path = socket_path != nullptr ? socket_path : kDefaultSocketPath;
  refuseToTakeOver(path);
  unique_fd listener = listenOn(path);
  if (listener.get() < 0) exit(1);

  std::vector<std::thread> workers;
  for (const std::unique_ptr<TextTrackLookup>& engine : engines_) {
    try {
      workers.emplace_back(&lookup_server::worker_loop, this, engine.get());
    } catch (const std::system_error& error) {
      errno = error.code().value();
      perror("pthread_create");
      exit(1);
    }
    std::lock_guard<std::mutex> lock(stopping_);
    ++workersRunning_;
  }

  // Declared before the workers are joined and dropped after: their answers go through it.
  std::unique_ptr<HttpListener> http;
  if (!http_address.empty()) {
    if (!(option_flags_ & OPT_INMEMORY)) {
      const TextTrackLookup& first = *engines_.front();
      probe_ = std::make_unique<ReadinessProbe>(first.connection.host, first.connection.user,
                                                first.connection.password,
                                                first.connection.database);
    }
    http = std::make_unique<HttpListener>(HttpListener::Hooks{
        [this](std::unique_ptr<command>* cmd) { return enqueue(cmd); },
        [this] { return readiness(); }, [this] { return gauges(); }});
    std::string error;
    if (!http->start(http_address, &error)) {
      fprintf(stderr, "ostrevd: %s\n", error.c_str());
      exit(1);
    }
    printf("HTTP on %s\n", http_address.c_str());
    fflush(stdout);
  }

  Intake intake(listener.get(), stopSignal.get(), option_flags_,
                [this](std::unique_ptr<command>* cmd) { return enqueue(cmd); }, &outbox_);
  const int signal = intake.run();

  // New clients fail at once from here on; the queued ones still get their answers.
  listener = unique_fd();
  if (http != nullptr) http->stopAccepting();
  unlink(path);
  if (signal != 0) {
    printf("%s: stopping\n", strsignal(signal));
    fflush(stdout);
  }
  queue_.close();
  if (!intake.drain(monotonicMs() + kStopSeconds * 1000LL, [this] { return workersEnded(); })) {
    fprintf(stderr, "ostrevd: requests still running after %d s, stopping anyway\n",
            kStopSeconds);
    fflush(stdout);
    fflush(stderr);
    _exit(0);
  }
  for (std::thread& worker : workers) worker.join();
}
