#include "index_reloader.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "TextTrackLookup.h"

void startIndexReloader(TextTrackLookup* engine) {
  sigset_t hangup;
  sigemptyset(&hangup);
  sigaddset(&hangup, SIGHUP);
  if ((errno = pthread_sigmask(SIG_BLOCK, &hangup, nullptr)) != 0) {
    perror("pthread_sigmask");
    exit(1);
  }
  std::thread([engine, hangup] {
    for (;;) {
      int signal = 0;
      if (sigwait(&hangup, &signal) != 0) continue;
      if (engine->option_flags & OPT_INMEMORY) {
        printf("SIGHUP: reading the catalogue again\n");
      } else {
        printf("SIGHUP: rebuilding the fuzzy index\n");
      }
      fflush(stdout);
      engine->reloadCatalogue();
    }
  }).detach();
}
