// The accept loop of lookup_server: socket set-up, then one connection at a time read on
// this (the main) thread and handed to the queue.
#include <errno.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "command_line.h"
#include "index_reloader.h"
#include "lookup_server.h"
#include "wire/socket_io.h"
#include "Defaults.h"
#include "wire/wire_format.h"

namespace {

[[noreturn]] void failSetup(const char* prefix) {
  perror(prefix);
  exit(1);
}

}  // namespace

void lookup_server::run(const char* socket_path) {
  // A client that hangs up before its answer must cost an error line, not the server.
  signal(SIGPIPE, SIG_IGN);
  // Before the worker starts, so that it inherits SIGHUP blocked.
  if (option_flags & OPT_FUZZY) startIndexReloader(engine.get());

  std::thread worker;
  try {
    worker = std::thread(&lookup_server::worker_loop, this);
  } catch (const std::system_error& error) {
    errno = error.code().value();
    failSetup("pthread_create");
  }

  unique_fd listener(socket(AF_UNIX, SOCK_STREAM, 0));
  if (listener.get() < 0) failSetup("socket");

  const char* path = socket_path != nullptr ? socket_path : kDefaultSocketPath;
  sockaddr_un address;
  unsigned addressLength;
  if (!localAddress(path, &address, &addressLength)) {
    errno = ENAMETOOLONG;
    failSetup("bind");
  }
  unlink(path);
  if (bind(listener.get(), reinterpret_cast<sockaddr*>(&address), addressLength) != 0) {
    failSetup("bind");
  }
  if (chmod(path, 0777) != 0) failSetup("chmod");
  if (listen(listener.get(), 5) != 0) failSetup("listen");

  for (;;) {
    sockaddr_un peer;
    socklen_t peerLength = sizeof(peer);
    int client = accept(listener.get(), reinterpret_cast<sockaddr*>(&peer), &peerLength);
    if (client < 0) {
      perror("ERROR: accept");
      usleep(100000);
      continue;
    }
    enqueue(read_request(client));
    if (option_flags & OPT_ONEREQUEST) break;
  }
  worker.join();
}
