// A lookup asked over HTTP, queued for the workers like the socket's requests. The worker
// runs it through the library's interface and hands the answer to `done`, which carries it
// back to the HTTP thread. Owned by the queue, then by the worker.
#ifndef OSTREV_SERVER_HTTP_HTTP_LOOKUP_COMMAND_H_
#define OSTREV_SERVER_HTTP_HTTP_LOOKUP_COMMAND_H_

#include <functional>

#include "command.h"
#include "http/http_route.h"

class http_lookup_command : public command {
 public:
  using Done = std::function<void(HttpAnswer)>;

  http_lookup_command(HttpLookup lookup, Done done);
  // A lookup never run (the server stopped first) is answered 503.
  ~http_lookup_command() override;

  void do_it(TextTrackLookup* engine, int option_flags) override;

  // For a command the queue refused: its caller answers, not its destructor.
  void abandon() { done_ = nullptr; }

 private:
  void finish(HttpAnswer answer);

  HttpLookup lookup_;
  Done done_;  // empty once called
};

#endif  // OSTREV_SERVER_HTTP_HTTP_LOOKUP_COMMAND_H_
