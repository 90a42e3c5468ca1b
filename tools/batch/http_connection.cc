#include "tools/batch/http_connection.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr size_t kMostHeadBytes = 16 * 1024;
constexpr char kServerClosed[] = "the server closed the connection without an answer";

HttpReply failed(std::string problem, bool worthRetrying) {
  HttpReply reply;
  reply.problem = std::move(problem);
  reply.worthRetrying = worthRetrying;
  return reply;
}

bool closedByServer(const beast::error_code& error) {
  return error == http::error::end_of_stream || error == asio::error::eof ||
         error == asio::error::connection_reset || error == asio::error::broken_pipe;
}

// Why sending (`step` "sending the request") or receiving failed. Only a server gone
// away is worth another try: a deadline passed or an answer that is no HTTP would be the
// same again.
HttpReply exchangeFailed(const beast::error_code& error, const char* step, int timeoutMs,
                         size_t mostBodyBytes) {
  if (error == beast::error::timeout) {
    return failed("no answer within " + std::to_string(timeoutMs / 1000) + " s", false);
  }
  if (closedByServer(error)) return failed(kServerClosed, true);
  if (error == http::error::body_limit) {
    return failed("an answer over " + std::to_string(mostBodyBytes) + " bytes", false);
  }
  if (error == http::error::header_limit) {
    return failed("an answer whose head is over " + std::to_string(kMostHeadBytes) + " bytes",
                  false);
  }
  if (error.category() == http::make_error_code(http::error::bad_version).category()) {
    return failed("an answer that is not HTTP: " + error.message(), false);
  }
  return failed(std::string(step) + ": " + error.message(), true);
}

}  // namespace

HttpReply HttpConnection::get(const std::string& target, int timeoutMs, size_t mostBodyBytes) {
  const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  Request request(http::verb::get, target, 11);
  request.set(http::field::host, endpoint_.text());
  request.set(http::field::user_agent, "ostrev-batch");
  request.set(http::field::accept, "application/json");
  if (!endpoint_.token.empty()) {
    request.set(http::field::authorization, "Bearer " + endpoint_.token);
  }
  for (bool reused = stream_.has_value();; reused = false) {
    HttpReply failure;
    if (!stream_ && !connect(deadline, timeoutMs, &failure)) return failure;
    bool stale = false;
    HttpReply reply = exchange(request, deadline, timeoutMs, mostBodyBytes, reused, &stale);
    if (!stale) return reply;
  }
}

bool HttpConnection::connect(Deadline deadline, int timeoutMs, HttpReply* failure) {
  beast::error_code error;
  tcp::resolver resolver(io_);
  const tcp::resolver::results_type addresses =
      resolver.resolve(endpoint_.host, endpoint_.port, error);
  if (error) {
    *failure = failed("cannot resolve " + endpoint_.host + ": " + error.message(), true);
    return false;
  }
  stream_.emplace(io_);
  stream_->expires_at(deadline);
  stream_->async_connect(addresses, [&error](const beast::error_code& e, const tcp::endpoint&) {
    error = e;
  });
  run();
  if (error) {
    close();
    *failure = error == beast::error::timeout
                   ? failed("no answer within " + std::to_string(timeoutMs / 1000) + " s", false)
                   : failed("cannot connect to " + endpoint_.text() + ": " + error.message(), true);
    return false;
  }
  // Each request is one small write; it must not wait for the last answer's ACK.
  stream_->socket().set_option(tcp::no_delay(true), error);
  return true;
}

HttpReply HttpConnection::exchange(const Request& request, Deadline deadline, int timeoutMs,
                                   size_t mostBodyBytes, bool reused, bool* stale) {
  beast::error_code error;
  stream_->expires_at(deadline);
  http::async_write(*stream_, request, [&error](const beast::error_code& e, size_t) { error = e; });
  run();
  if (error) {
    *stale = reused && closedByServer(error);
    close();
    return exchangeFailed(error, "sending the request", timeoutMs, mostBodyBytes);
  }
  http::response_parser<http::string_body> parser;
  parser.header_limit(kMostHeadBytes);
  parser.body_limit(mostBodyBytes);
  http::async_read(*stream_, buffer_, parser,
                   [&error](const beast::error_code& e, size_t) { error = e; });
  run();
  if (error) {
    *stale = reused && !parser.got_some() && closedByServer(error);
    close();
    return exchangeFailed(error, "receiving the answer", timeoutMs, mostBodyBytes);
  }
  if (!parser.keep_alive()) close();
  HttpReply reply;
  reply.answered = true;
  reply.status = parser.get().result_int();
  reply.body = std::move(parser.get().body());
  return reply;
}

void HttpConnection::run() {
  io_.restart();
  io_.run();
}

void HttpConnection::close() {
  stream_.reset();
  buffer_.clear();
}
