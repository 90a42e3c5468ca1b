// HttpListener: the HTTP interface's own thread. It accepts connections on one address,
// reads each request within the server's bounds (head and body sizes, the request and
// reply time-outs), answers health, readiness, metrics and refusals itself, and hands
// lookups to the workers' queue; a worker's answer comes back to this thread to be
// written, so a client that does not read holds no worker. Owns the thread, the sockets
// and the connections; start(), stopAccepting() and the destructor on the main thread.
#ifndef OSTREV_SERVER_HTTP_HTTP_LISTENER_H_
#define OSTREV_SERVER_HTTP_HTTP_LISTENER_H_

#include <functional>
#include <memory>
#include <string>

#include "command.h"
#include "http/http_route.h"

class HttpListener {
 public:
  struct Hooks {
    // Queues a command for the workers; false when the queue is full or closed.
    std::function<bool(std::unique_ptr<command>*)> enqueue;
    // 200 when the server can answer lookups, else 503, each with its JSON body.
    std::function<HttpAnswer()> readiness;
    // The server's gauges in the Prometheus text format, beside the listener's counters.
    std::function<std::string()> gauges;
  };

  explicit HttpListener(Hooks hooks);
  // Stops the thread and closes every connection; answers still to come are dropped.
  ~HttpListener();

  HttpListener(const HttpListener&) = delete;
  HttpListener& operator=(const HttpListener&) = delete;

  // Listens on `address` ("ADDR:PORT", "[IPv6]:PORT", or "PORT" for the loopback address)
  // and starts the thread. False, with `error` set, when it cannot.
  bool start(const std::string& address, std::string* error);

  // No new connections; the open ones are still answered.
  void stopAccepting();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

#endif  // OSTREV_SERVER_HTTP_HTTP_LISTENER_H_
