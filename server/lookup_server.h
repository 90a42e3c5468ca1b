// lookup_server: the listener (main thread) reading one request per connection into a
// command, the queue it appends to, and the one worker thread that runs the commands
// against the one engine. The queue is all the two threads share.
#ifndef OSTREV_SERVER_LOOKUP_SERVER_H_
#define OSTREV_SERVER_LOOKUP_SERVER_H_

#include <memory>

#include "TextTrackLookup.h"
#include "blocking_queue.h"
#include "command.h"

class lookup_server {
 public:
  // Builds the engine, which connects to the catalogue (a null name means the default
  // database).
  lookup_server(int option_flags, const char* db_name);
  lookup_server(const lookup_server&) = delete;
  lookup_server& operator=(const lookup_server&) = delete;

  // Starts the worker, listens on the socket (null means the default path) and serves.
  // Returns only in one-request mode, after the worker has run its command.
  void run(const char* socket_path);

  // Reads the request on an accepted connection; never returns null. The command owns the
  // connection from here on (or it has been closed).
  std::unique_ptr<command> read_request(int client_fd);

  void enqueue(std::unique_ptr<command> cmd);
  std::unique_ptr<command> dequeue();  // waits for a command
  void worker_loop();

  std::unique_ptr<TextTrackLookup> engine;
  blocking_queue<std::unique_ptr<command>> queue;
  int option_flags;
};

#endif  // OSTREV_SERVER_LOOKUP_SERVER_H_
