#include "lookup_server.h"

#include <cstdio>
#include <string>

#include "Defaults.h"
#include "command_line.h"

lookup_server::lookup_server(int option_flags, const char* db_name)
    : option_flags(option_flags) {
  const std::string user = kDefaultDatabaseUser;
  const std::string password = kDefaultDatabasePassword;
  const std::string database = db_name != nullptr ? db_name : kDefaultDatabaseName;
  engine.reset(new TextTrackLookup(option_flags, &user, &password, &database));
}

void lookup_server::enqueue(std::unique_ptr<command> cmd) {
  queue.push(std::move(cmd), [](size_t size) {
    printf("\nQueue Size: %zu\n\n", size);
    fflush(stdout);
  });
}

std::unique_ptr<command> lookup_server::dequeue() { return queue.pop(); }

void lookup_server::worker_loop() {
  for (;;) {
    std::unique_ptr<command> cmd = dequeue();
    // Outside the lock: the listener keeps queueing while a lookup runs.
    cmd->do_it(engine.get(), option_flags);
    cmd.reset();
    if (option_flags & OPT_ONEREQUEST) return;
  }
}
