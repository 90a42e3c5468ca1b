#include "support/HttpClient.h"

#include <chrono>
#include <thread>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

int freeLoopbackPort() {
  asio::io_context io;
  tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0));
  return acceptor.local_endpoint().port();
}

class HttpConnection::Impl {
 public:
  asio::io_context io;
  beast::tcp_stream stream{io};
  beast::flat_buffer buffer;
  bool connected = false;
};

HttpConnection::HttpConnection(int port, int waitMs) : impl_(std::make_unique<Impl>()) {
  const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"),
                               static_cast<unsigned short>(port));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  do {
    beast::error_code ec;
    impl_->stream.socket().close(ec);
    impl_->stream.socket().connect(endpoint, ec);
    if (!ec) {
      impl_->connected = true;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
}

HttpConnection::~HttpConnection() = default;

bool HttpConnection::connected() const { return impl_->connected; }

bool HttpConnection::send(const std::string& bytes) {
  beast::error_code ec;
  asio::write(impl_->stream.socket(), asio::buffer(bytes), ec);
  return !ec;
}

HttpReply HttpConnection::receive(int timeoutMs) {
  HttpReply reply;
  http::response_parser<http::string_body> parser;
  parser.body_limit(64 * 1024 * 1024);
  impl_->stream.expires_after(std::chrono::milliseconds(timeoutMs));
  beast::error_code ec;
  http::read(impl_->stream, impl_->buffer, parser, ec);
  if (ec) {
    reply.error = ec == beast::error::timeout ? "timeout" : ec == http::error::end_of_stream
                                                                ? "closed"
                                                                : ec.message();
    return reply;
  }
  reply.status = parser.get().result_int();
  reply.body = parser.get().body();
  return reply;
}

HttpReply HttpConnection::request(const std::string& method, const std::string& target,
                                  const std::string& body, const std::string& headers) {
  std::string bytes = method + " " + target + " HTTP/1.1\r\nHost: test\r\n" + headers;
  if (!body.empty() || method == "POST") {
    bytes += "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
             "\r\n";
  }
  bytes += "\r\n" + body;
  if (!send(bytes)) return HttpReply{0, "", "send failed"};
  return receive();
}
