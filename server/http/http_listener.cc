#include "http/http_listener.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include "base/EnvironmentNumber.h"
#include "http/http_lookup_command.h"
#include "http/http_metrics.h"
#include "intake_limits.h"
#include "wire/http_token.h"

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

// A request head (request line and headers) and a body may hold this much.
constexpr size_t kMostHeadBytes = 8 * 1024;
constexpr size_t kMostBodyBytes = 1024 * 1024;

using Clock = std::chrono::steady_clock;

// OSTREV_HTTP_CONNECTIONS (1 to 100000, default 2000): connections held at once; one more
// is closed as it comes.
size_t mostConnections() {
  return static_cast<size_t>(environmentNumber("OSTREV_HTTP_CONNECTIONS", 1, 100000, 2000));
}

// Compares every byte whatever the first difference, so the time taken tells nothing.
bool sameToken(beast::string_view given, const std::string& token) {
  if (given.size() != token.size()) return false;
  unsigned char difference = 0;
  for (size_t i = 0; i < token.size(); ++i) difference |= given[i] ^ token[i];
  return difference == 0;
}

// "ADDR:PORT", "[V6]:PORT" or "PORT" (loopback).
bool parseAddress(const std::string& text, tcp::endpoint* endpoint, std::string* error) {
  std::string host = "127.0.0.1";
  std::string port = text;
  const size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
      host = host.substr(1, host.size() - 2);
    }
  }
  char* end = nullptr;
  const long number = strtol(port.c_str(), &end, 10);
  if (port.empty() || *end != '\0' || number < 1 || number > 65535) {
    *error = "--http takes ADDR:PORT or PORT, with a port from 1 to 65535: " + text;
    return false;
  }
  boost::system::error_code ec;
  const asio::ip::address address = asio::ip::make_address(host, ec);
  if (ec) {
    *error = "--http: not an IP address: " + host;
    return false;
  }
  *endpoint = tcp::endpoint(address, static_cast<unsigned short>(number));
  return true;
}

}  // namespace

class HttpListener::Impl {
 public:
  explicit Impl(Hooks hooks) : hooks_(std::move(hooks)), acceptor_(io_) {}

  ~Impl() {
    io_.stop();
    if (thread_.joinable()) thread_.join();
  }

  bool start(const std::string& address, std::string* error) {
    tcp::endpoint endpoint;
    if (!parseAddress(address, &endpoint, error) || !readHttpToken(&token_, error)) return false;
    boost::system::error_code ec;
    acceptor_.open(endpoint.protocol(), ec);
    if (!ec) acceptor_.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec) acceptor_.bind(endpoint, ec);
    if (!ec) acceptor_.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
      *error = "cannot listen on " + address + ": " + ec.message();
      return false;
    }
    accept();
    thread_ = std::thread([this] { io_.run(); });
    return true;
  }

  void stopAccepting() {
    asio::post(io_, [this] {
      boost::system::error_code ignored;
      acceptor_.close(ignored);
    });
  }

 private:
  class Session;

  void accept();

  Hooks hooks_;
  const size_t mostConnections_ = mostConnections();
  const std::chrono::milliseconds requestTimeout_{requestTimeoutMs()};
  const std::chrono::milliseconds replyTimeout_{replyTimeoutMs()};
  std::string token_;
  HttpMetrics metrics_;  // the HTTP thread's
  size_t connections_ = 0;  // the HTTP thread's
  asio::io_context io_{1};
  tcp::acceptor acceptor_;
  asio::steady_timer retry_{io_};
  std::thread thread_;
};

// One connection: a request read, answered, and the next read while the client keeps the
// connection. Kept alive by the handlers that hold it; the HTTP thread's.
class HttpListener::Impl::Session : public std::enable_shared_from_this<Session> {
 public:
  Session(Impl* owner, tcp::socket socket) : owner_(owner), stream_(std::move(socket)) {
    ++owner_->connections_;
  }
  ~Session() { --owner_->connections_; }

  void read() {
    parser_.emplace();
    parser_->header_limit(kMostHeadBytes);
    parser_->body_limit(kMostBodyBytes);
    stream_.expires_after(owner_->requestTimeout_);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code ec, size_t) {
                       self->onRead(ec);
                     });
  }

 private:
  void onRead(beast::error_code ec) {
    started_ = Clock::now();
    endpoint_ = "other";
    if (ec == http::error::end_of_stream || ec == beast::error::timeout ||
        ec == asio::error::operation_aborted || ec == asio::error::connection_reset) {
      return close();
    }
    if (ec == http::error::header_limit) {
      return respond({431, httpErrorBody("the request head is over 8192 bytes")}, false);
    }
    if (ec == http::error::body_limit) {
      return respond({413, httpErrorBody("the body is over 1048576 bytes")}, false);
    }
    if (ec) return respond({400, httpErrorBody("not an HTTP/1.1 request")}, false);

    const http::request<http::string_body>& request = parser_->get();
    keepAlive_ = request.keep_alive();
    if (!owner_->token_.empty()) {
      const beast::string_view given = request[http::field::authorization];
      if (!given.starts_with("Bearer ") || !sameToken(given.substr(7), owner_->token_)) {
        return respond({401, httpErrorBody("a bearer token is required")}, keepAlive_);
      }
    }
    HttpRoute route = routeHttpRequest(std::string_view(request.method_string().data(),
                                                        request.method_string().size()),
                                       std::string_view(request.target().data(),
                                                        request.target().size()),
                                       request.body());
    endpoint_ = route.endpoint;
    switch (route.kind) {
      case HttpRoute::kRefused:
        return respond(std::move(route.refusal), keepAlive_);
      case HttpRoute::kHealth:
        return respond({200, "{\"status\":\"alive\"}\n"}, keepAlive_);
      case HttpRoute::kReady:
        return respond(owner_->hooks_.readiness(), keepAlive_);
      case HttpRoute::kMetrics:
        return respond({200, owner_->metrics_.text() + owner_->hooks_.gauges()}, keepAlive_,
                       "text/plain; version=0.0.4");
      case HttpRoute::kLookup:
        return lookUp(std::move(route.lookup));
    }
  }

  // Queues the lookup; its answer comes back through the HTTP thread's queue of handlers.
  void lookUp(HttpLookup lookup) {
    auto done = [self = shared_from_this()](HttpAnswer answer) {
      asio::post(self->stream_.get_executor(), [self, answer = std::move(answer)]() mutable {
        self->respond(std::move(answer), self->keepAlive_);
      });
    };
    std::unique_ptr<command> queued =
        std::make_unique<http_lookup_command>(std::move(lookup), std::move(done));
    if (!owner_->hooks_.enqueue(&queued)) {
      // Refused: the command is still ours; its answer must not be the stopping one.
      static_cast<http_lookup_command*>(queued.get())->abandon();
      respond({503, httpErrorBody("the server is busy: too many requests waiting")}, keepAlive_);
    }
  }

  void respond(HttpAnswer answer, bool keepAlive,
               const char* contentType = "application/json") {
    owner_->metrics_.record(endpoint_, answer.status,
                            std::chrono::duration<double>(Clock::now() - started_).count());
    response_ = {};
    response_.version(11);
    response_.result(static_cast<http::status>(answer.status));
    response_.set(http::field::content_type, contentType);
    response_.keep_alive(keepAlive);
    response_.body() = std::move(answer.body);
    response_.prepare_payload();
    stream_.expires_after(owner_->replyTimeout_);
    http::async_write(stream_, response_,
                      [self = shared_from_this()](beast::error_code ec, size_t) {
                        if (!ec && self->response_.keep_alive()) return self->read();
                        self->close();
                      });
  }

  void close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

  Impl* owner_;
  beast::tcp_stream stream_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  http::response<http::string_body> response_;
  bool keepAlive_ = false;
  std::string endpoint_ = "other";
  Clock::time_point started_ = Clock::now();
};

void HttpListener::Impl::accept() {
  acceptor_.async_accept([this](beast::error_code ec, tcp::socket socket) {
    if (ec == asio::error::operation_aborted || !acceptor_.is_open()) return;
    if (ec) {
      // Out of descriptors, say: try again in a while rather than at once, for ever.
      retry_.expires_after(std::chrono::milliseconds(100));
      retry_.async_wait([this](beast::error_code waited) {
        if (!waited) accept();
      });
      return;
    }
    if (connections_ < mostConnections_) {
      std::make_shared<Session>(this, std::move(socket))->read();
    }
    // A socket refused for the bound closes here, as it goes out of scope.
    accept();
  });
}

HttpListener::HttpListener(Hooks hooks) : impl_(std::make_unique<Impl>(std::move(hooks))) {}
HttpListener::~HttpListener() = default;

bool HttpListener::start(const std::string& address, std::string* error) {
  return impl_->start(address, error);
}

void HttpListener::stopAccepting() { impl_->stopAccepting(); }
