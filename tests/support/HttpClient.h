// The tests' HTTP client: raw request bytes out, one parsed response back, over a
// connection that may carry several. Each test thread its own.
#ifndef OSTREV_TESTS_SUPPORT_HTTPCLIENT_H_
#define OSTREV_TESTS_SUPPORT_HTTPCLIENT_H_

#include <memory>
#include <string>

struct HttpReply {
  int status = 0;       // 0: no response (see error)
  std::string body;
  std::string error;    // why there is no response: "closed", "timeout", ...
};

// A loopback port nobody listens on now.
int freeLoopbackPort();

class HttpConnection {
 public:
  // Connects to 127.0.0.1:port, retrying for up to `waitMs` while nothing listens yet.
  explicit HttpConnection(int port, int waitMs = 5000);
  ~HttpConnection();

  bool connected() const;

  // Sends `bytes` as they are.
  bool send(const std::string& bytes);

  // Reads one response, waiting at most `timeoutMs`.
  HttpReply receive(int timeoutMs = 10000);

  // A whole request: method, target, body, the connection kept open.
  HttpReply request(const std::string& method, const std::string& target,
                    const std::string& body = "", const std::string& headers = "");

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

#endif  // OSTREV_TESTS_SUPPORT_HTTPCLIENT_H_
