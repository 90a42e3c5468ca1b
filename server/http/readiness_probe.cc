#include "http/readiness_probe.h"

#include <chrono>
#include <memory>
#include <utility>

#include "db/Connection.h"

namespace {

// A probe that waits longer than this for the database counts it as unreachable.
constexpr unsigned int kProbeTimeoutSeconds = 2;

}  // namespace

ReadinessProbe::ReadinessProbe(std::string host, std::string user, std::string password,
                               std::string database)
    : thread_(&ReadinessProbe::run, this, std::move(host), std::move(user), std::move(password),
              std::move(database)) {}

ReadinessProbe::~ReadinessProbe() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  stop_.notify_all();
  thread_.join();
}

bool ReadinessProbe::ready(std::string* problem) const {
  std::lock_guard<std::mutex> lock(mutex_);
  *problem = problem_;
  return ready_;
}

void ReadinessProbe::run(std::string host, std::string user, std::string password,
                         std::string database) {
  std::unique_ptr<Connection> connection;
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    lock.unlock();
    bool reached = false;
    std::string problem;
    if (connection != nullptr && connection->getMyHandle() != nullptr &&
        mysql_ping(connection->getMyHandle()) == 0) {
      reached = true;
    } else {
      connection = std::make_unique<Connection>(host, user, password, database);
      connection->setQuiet(true);
      connection->setStatementTimeout(kProbeTimeoutSeconds);
      reached = connection->init();
      if (!reached) problem = "the catalogue cannot be reached: " + connection->lastError;
    }
    lock.lock();
    ready_ = reached;
    problem_ = problem;
    stop_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_; });
  }
}
