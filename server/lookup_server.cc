#include "lookup_server.h"

#include <cstdio>
#include <string>

lookup_server::lookup_server(int option_flags, const char* db_name)
    : option_flags(option_flags) {
  pthread_mutex_init(&queue_mutex, nullptr);
  pthread_cond_init(&queue_cond, nullptr);
  const std::string user = "vlot";
  const std::string password = "pravo";
  const std::string database = db_name != nullptr ? db_name : "MEDIA";
  engine.reset(new TextTrackLookup(option_flags, &user, &password, &database));
}

// Reached only after the worker has been joined, so nothing else touches the queue.
lookup_server::~lookup_server() {
  for (command* cmd : queue) delete cmd;
  pthread_cond_destroy(&queue_cond);
  pthread_mutex_destroy(&queue_mutex);
}

void lookup_server::enqueue(command* cmd) {
  pthread_mutex_lock(&queue_mutex);
  queue.push_back(cmd);
  printf("\nQueue Size: %zu\n\n", queue.size());
  fflush(stdout);
  pthread_cond_signal(&queue_cond);
  pthread_mutex_unlock(&queue_mutex);
}

command* lookup_server::dequeue() {
  pthread_mutex_lock(&queue_mutex);
  while (queue.empty()) pthread_cond_wait(&queue_cond, &queue_mutex);
  command* cmd = queue.front();
  queue.pop_front();
  pthread_mutex_unlock(&queue_mutex);
  return cmd;
}

void lookup_server::worker_loop() {
  for (;;) {
    std::unique_ptr<command> cmd(dequeue());
    // Outside the lock: the listener keeps queueing while a lookup runs.
    cmd->do_it(engine.get(), option_flags);
    cmd.reset();
    if (option_flags & OPT_ONEREQUEST) return;
  }
}

void* worker_main(void* arg) {
  static_cast<lookup_server*>(arg)->worker_loop();
  return nullptr;
}
