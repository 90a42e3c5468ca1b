// HttpConnection: one keep-alive HTTP/1.1 connection to the server's HTTP listener, made
// on first use and made again after the server closed it. Its calls block their caller;
// owned and called by one thread.
#ifndef OSTREV_TOOLS_BATCH_HTTP_CONNECTION_H_
#define OSTREV_TOOLS_BATCH_HTTP_CONNECTION_H_

#include <boost/asio/io_context.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/message.hpp>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "tools/batch/http_url.h"

struct HttpReply {
  bool answered = false;       // an HTTP answer came, whatever its status
  bool worthRetrying = false;  // not answered: the server could not be reached or went away
  unsigned status = 0;         // when answered
  std::string body;            // when answered
  std::string problem;         // otherwise: what went wrong, one line
};

class HttpConnection {
 public:
  explicit HttpConnection(HttpEndpoint endpoint) : endpoint_(std::move(endpoint)) {}
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  // GETs `target` and reads the answer, its head at most 16 KiB and its body at most
  // `mostBodyBytes`, all within `timeoutMs`, connecting included. A kept connection the
  // server closed while it was idle is made again once.
  HttpReply get(const std::string& target, int timeoutMs, size_t mostBodyBytes);

 private:
  using Deadline = std::chrono::steady_clock::time_point;
  using Request = boost::beast::http::request<boost::beast::http::empty_body>;

  bool connect(Deadline deadline, int timeoutMs, HttpReply* failure);

  // One request and its answer on the open connection. `*stale`: it failed because the
  // server had closed a kept connection before reading it.
  HttpReply exchange(const Request& request, Deadline deadline, int timeoutMs,
                     size_t mostBodyBytes, bool reused, bool* stale);

  // Runs the operations started on the connection until they are done.
  void run();

  void close();

  const HttpEndpoint endpoint_;
  boost::asio::io_context io_;
  std::optional<boost::beast::tcp_stream> stream_;  // none until connected and after a close
  boost::beast::flat_buffer buffer_;
};

#endif  // OSTREV_TOOLS_BATCH_HTTP_CONNECTION_H_
