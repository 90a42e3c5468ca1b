// lookup_server: the listener (main thread) reading one request per connection into a
// command, the queue it appends to, and the one worker thread that runs the commands
// against the one engine. The queue, under queue_mutex, is all the two threads share.
#ifndef OSTREV_SERVER_LOOKUP_SERVER_H_
#define OSTREV_SERVER_LOOKUP_SERVER_H_

#include <pthread.h>

#include <deque>
#include <memory>

#include "TextTrackLookup.h"
#include "command.h"

class lookup_server {
 public:
  // Builds the engine, which connects to the catalogue (a null name means "MEDIA").
  lookup_server(int option_flags, const char* db_name);
  ~lookup_server();
  lookup_server(const lookup_server&) = delete;
  lookup_server& operator=(const lookup_server&) = delete;

  // Starts the worker, listens on the socket (null means the default path) and serves.
  // Returns only in one-request mode, after the worker has run its command.
  void run(const char* socket_path);

  // Reads the request on an accepted connection; never returns null. The command owns the
  // connection from here on (or it has been closed).
  command* read_request(int client_fd);

  void enqueue(command* cmd);  // takes ownership
  command* dequeue();          // waits for a command; the caller owns it
  void worker_loop();

  std::unique_ptr<TextTrackLookup> engine;
  std::deque<command*> queue;
  pthread_mutex_t queue_mutex;
  pthread_cond_t queue_cond;
  int option_flags;
};

// Thread start routine of the worker; `arg` is the lookup_server.
void* worker_main(void* arg);

#endif  // OSTREV_SERVER_LOOKUP_SERVER_H_
