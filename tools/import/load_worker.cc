#include "tools/import/load_worker.h"

#include <utility>

#include "tools/import/import_connection.h"

namespace {

// Enough for the connection never to wait on the reader, little enough to bound memory.
constexpr size_t kMaxQueuedBytes = 64 << 20;

}  // namespace

LoadWorker::~LoadWorker() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  changed_.notify_all();
  thread_.join();
}

bool LoadWorker::start(const ImportOptions& options, RowLoader::Method method,
                       std::string* error) {
  if (!openImportConnection(options, true, &connection_, error)) return false;
  method_ = method;
  thread_ = std::thread(&LoadWorker::work, this);
  return true;
}

bool LoadWorker::postRows(std::string table, const char* columns, RowText rows) {
  return post(Job{std::move(table), columns, std::move(rows), ""});
}

bool LoadWorker::postStatement(std::string statement) {
  return post(Job{"", "", RowText(RowText::kSqlValues, nullptr), std::move(statement)});
}

bool LoadWorker::post(Job job) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queuedBytes_ < kMaxQueuedBytes || !failure_.empty(); });
  if (!failure_.empty()) return false;
  queuedBytes_ += job.rows.data().size() + job.statement.size();
  queue_.push_back(std::move(job));
  changed_.notify_all();
  return true;
}

bool LoadWorker::finish(std::string* error) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return (queue_.empty() && !busy_) || !failure_.empty(); });
  if (failure_.empty()) return true;
  *error = failure_;
  return false;
}

void LoadWorker::work() {
  RowLoader loader(connection_.getMyHandle(), method_);
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
    if (stopping_) return;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    lock.unlock();
    std::string error;
    bool done = job.table.empty() ? loader.run(job.statement, &error)
                                  : loader.load(job.table, job.columns, job.rows, &error);
    lock.lock();
    busy_ = false;
    queuedBytes_ -= job.rows.data().size() + job.statement.size();
    if (!done) {
      failure_ = error;
      queue_.clear();
      queuedBytes_ = 0;
    }
    changed_.notify_all();
  }
}
