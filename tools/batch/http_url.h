// HttpEndpoint: where ostrev-batch's --url points, read from "http://HOST[:PORT][/]". A
// value and a pure function; any thread.
#ifndef OSTREV_TOOLS_BATCH_HTTP_URL_H_
#define OSTREV_TOOLS_BATCH_HTTP_URL_H_

#include <string>

struct HttpEndpoint {
  std::string host;  // a name or an address, an IPv6 one without its brackets
  std::string port;  // digits, 1 to 65535
  std::string token;  // sent as a bearer token when not empty

  // "HOST:PORT" ("[::1]:8080"), as messages and the Host field name it.
  std::string text() const;
};

// Reads `url`: the scheme http, a host (IPv6 in brackets), an optional port (default 80)
// and nothing after but an optional "/". False, with `*problem` saying why, otherwise.
bool parseHttpUrl(const std::string& url, HttpEndpoint* endpoint, std::string* problem);

#endif  // OSTREV_TOOLS_BATCH_HTTP_URL_H_
