// LoadWorker: a thread with a database connection of its own that loads rows into tables
// and runs statements, in the order they are posted, so that the server works on several
// tables at once. Owns the thread and the connection; post() and finish() are for the one
// thread that feeds it.
#ifndef OSTREV_TOOLS_IMPORT_LOAD_WORKER_H_
#define OSTREV_TOOLS_IMPORT_LOAD_WORKER_H_

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "db/Connection.h"
#include "tools/import/command_line.h"
#include "tools/import/row_loader.h"
#include "tools/import/row_text.h"

class LoadWorker {
 public:
  LoadWorker() = default;
  // Discards what is still queued, waits for the job under way and closes the connection.
  ~LoadWorker();

  LoadWorker(const LoadWorker&) = delete;
  LoadWorker& operator=(const LoadWorker&) = delete;

  // Connects (autocommit on: every job stores its rows itself) and starts the thread.
  bool start(const ImportOptions& options, RowLoader::Method method, std::string* error);

  // Queue rows for `table` (see RowLoader::load), or a statement. Wait while much is
  // queued. False once a job has failed; finish() then says why.
  bool postRows(std::string table, const char* columns, RowText rows);
  bool postStatement(std::string statement);

  // Waits until every job is done; false with the first failure's reason.
  bool finish(std::string* error);

 private:
  struct Job {
    std::string table;  // empty for a statement
    const char* columns;
    RowText rows;
    std::string statement;
  };

  bool post(Job job);
  void work();

  Connection connection_;
  RowLoader::Method method_ = RowLoader::kInfile;
  std::thread thread_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> queue_;     // guarded by mutex_
  size_t queuedBytes_ = 0;    // guarded by mutex_
  bool busy_ = false;         // a job is under way; guarded by mutex_
  bool stopping_ = false;     // guarded by mutex_
  std::string failure_;       // the first failure; guarded by mutex_
};

#endif  // OSTREV_TOOLS_IMPORT_LOAD_WORKER_H_
