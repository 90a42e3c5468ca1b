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
    cmd->do_it(engine, option_flags_);
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

void lookup_server::run(const char* socket_path) {
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

  Intake intake(listener.get(), stopSignal.get(), option_flags_,
                [this](std::unique_ptr<command>* cmd) { return enqueue(cmd); }, &outbox_);
  const int signal = intake.run();

  // New clients fail at once from here on; the queued ones still get their answers.
  listener = unique_fd();
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
