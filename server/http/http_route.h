// What an HTTP request asks of the server, read from its method, target and body: a
// lookup for the workers, or an answer the listener gives at once. Pure functions and
// plain values; any thread.
#ifndef OSTREV_SERVER_HTTP_HTTP_ROUTE_H_
#define OSTREV_SERVER_HTTP_HTTP_ROUTE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ostrev/matcher.h"

// The most queries one POST /v1/identify may carry.
constexpr size_t kMostHttpQueries = 1000;
// The most bytes of one text (artist, title...), as a socket request's field holds them.
constexpr size_t kMostHttpTextBytes = 199;

// A JSON answer: its status and body.
struct HttpAnswer {
  int status = 200;
  std::string body;
};

struct HttpLookup {
  enum Kind { kIdentify, kCandidates, kIdentifyMany, kAlbum };
  Kind kind = kIdentify;
  std::vector<ostrev::Query> queries;  // one, but for kIdentifyMany
  size_t limit = 0;                    // kCandidates
  ostrev::AlbumQuery album;            // kAlbum
};

struct HttpRoute {
  enum Kind { kLookup, kHealth, kReady, kMetrics, kRefused };
  Kind kind = kRefused;
  // The endpoint the metrics count it under: "identify", "candidates", "identify_many",
  // "album", "healthz", "readyz", "metrics" or "other".
  std::string endpoint = "other";
  HttpLookup lookup;    // kLookup
  HttpAnswer refusal;   // kRefused: 400, 404 or 405 with its error
};

HttpRoute routeHttpRequest(std::string_view method, std::string_view target,
                           const std::string& body);

// {"error": reason} and a newline.
std::string httpErrorBody(const std::string& reason);

#endif  // OSTREV_SERVER_HTTP_HTTP_ROUTE_H_
