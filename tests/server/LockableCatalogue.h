// A catalogue database of its own (the fixture catalogue, made afresh in the test run's
// database server and dropped at the end) that a test can lock, so that a server's
// statements on it block, and whose blocked sessions it can find and kill. Other tests
// never wait on its locks. Single-threaded use, except that waitForBlockedSession and kill
// may run on one other thread while the first holds the lock.
#ifndef OSTREV_TESTS_SERVER_LOCKABLECATALOGUE_H_
#define OSTREV_TESTS_SERVER_LOCKABLECATALOGUE_H_

#include <string>

#include "db/Connection.h"

class LockableCatalogue {
 public:
  explicit LockableCatalogue(std::string database);
  ~LockableCatalogue();
  LockableCatalogue(const LockableCatalogue&) = delete;
  LockableCatalogue& operator=(const LockableCatalogue&) = delete;

  bool ok() const { return ok_; }
  const std::string& database() const { return database_; }

  // Write-locks every catalogue table: whoever else reads one waits.
  bool lockTables();
  bool unlockTables();

  // The id of another session on this database waiting for a lock, once there is one;
  // "" when none appears within `timeoutMs`.
  std::string waitForBlockedSession(int timeoutMs);
  bool kill(const std::string& sessionId);

 private:
  bool catalogueDb(const std::string& command, const std::string& sqlFile = "");

  std::string database_;
  bool ok_ = false;
  Connection locker_;   // holds the locks
  Connection watcher_;  // reads the session list and kills, while locker_ holds them
};

#endif  // OSTREV_TESTS_SERVER_LOCKABLECATALOGUE_H_
