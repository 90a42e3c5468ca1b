#include "tools/batch/http_url.h"

#include <cstdlib>

namespace {

constexpr char kScheme[] = "http://";

bool validPort(const std::string& port) {
  if (port.empty() || port.size() > 5 ||
      port.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const long number = std::strtol(port.c_str(), nullptr, 10);
  return number >= 1 && number <= 65535;
}

// A name's or an IPv4 address's characters; anything else (user info, a query, spaces)
// is no host this client knows how to reach.
bool validHost(const std::string& host) {
  constexpr char kHostCharacters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-";
  return !host.empty() && host.find_first_not_of(kHostCharacters) == std::string::npos;
}

}  // namespace

std::string HttpEndpoint::text() const {
  const bool ipv6 = host.find(':') != std::string::npos;
  return (ipv6 ? "[" + host + "]" : host) + ":" + port;
}

bool parseHttpUrl(const std::string& url, HttpEndpoint* endpoint, std::string* problem) {
  const std::string scheme(kScheme);
  if (url.compare(0, scheme.size(), scheme) != 0) {
    *problem = "--url must start with http://";
    return false;
  }
  std::string authority = url.substr(scheme.size());
  if (!authority.empty() && authority.back() == '/') authority.pop_back();
  HttpEndpoint read;
  read.port = "80";
  std::string::size_type portStart = std::string::npos;
  if (!authority.empty() && authority.front() == '[') {
    const std::string::size_type close = authority.find(']');
    if (close == std::string::npos) {
      *problem = "--url has an IPv6 address without its ']'";
      return false;
    }
    read.host = authority.substr(1, close - 1);
    if (read.host.empty() ||
        read.host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string::npos) {
      *problem = "--url has no IPv6 address between its brackets";
      return false;
    }
    if (close + 1 < authority.size()) {
      if (authority[close + 1] != ':') {
        *problem = "--url must be http://HOST[:PORT]";
        return false;
      }
      portStart = close + 2;
    }
  } else {
    const std::string::size_type colon = authority.find(':');
    read.host = authority.substr(0, colon);
    if (!validHost(read.host)) {
      *problem = "--url must be http://HOST[:PORT]";
      return false;
    }
    if (colon != std::string::npos) portStart = colon + 1;
  }
  if (portStart != std::string::npos) {
    read.port = authority.substr(portStart);
    if (!validPort(read.port)) {
      *problem = "--url's port must be 1 to 65535";
      return false;
    }
  }
  *endpoint = read;
  return true;
}
