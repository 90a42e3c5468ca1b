// Fuzz target: an HTTP request's method, target and body, routed as the listener routes
// them. A refusal must be a JSON error with its status, and a lookup must hold only texts
// the bounds allow.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "fuzz_check.h"
#include "http/http_route.h"
#include "ostrev/limits.h"

namespace {

void checkText(const std::string& text) {
  check(text.size() <= kMostHttpTextBytes, "a text over its bound");
  check(g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr),
        "a text of invalid UTF-8");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the method, the target runs to the first newline, the body
  // follows.
  if (size == 0) return 0;
  static const char* const kMethods[] = {"GET", "POST", "DELETE", "PUT"};
  const std::string method = kMethods[data[0] % 4];
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t newline = rest.find('\n');
  const std::string target = rest.substr(0, newline);
  const std::string body = newline == std::string::npos ? "" : rest.substr(newline + 1);

  const HttpRoute route = routeHttpRequest(method, target, body);
  if (route.kind == HttpRoute::kRefused) {
    const int status = route.refusal.status;
    check(status == 400 || status == 404 || status == 405, "a refusal of another status");
    check(nlohmann::json::parse(route.refusal.body, nullptr, false).is_object(),
          "a refusal that is not JSON");
  }
  if (route.kind != HttpRoute::kLookup) return 0;
  const HttpLookup& lookup = route.lookup;
  check(lookup.queries.size() <= kMostHttpQueries, "too many queries");
  check(lookup.album.tracks.size() <= kMostHttpQueries, "too many tracks");
  for (const ostrev::Query& query : lookup.queries) {
    for (const std::string* text : {&query.artist, &query.album, &query.title, &query.isrc,
                                    &query.upc}) {
      checkText(*text);
    }
  }
  checkText(lookup.album.album);
  checkText(lookup.album.artist);
  checkText(lookup.album.upc);
  for (const ostrev::AlbumQuery::Track& track : lookup.album.tracks) {
    checkText(track.title);
    checkText(track.artist);
    checkText(track.isrc);
  }
  if (lookup.kind == HttpLookup::kCandidates) {
    check(lookup.limit >= 1 && lookup.limit <= static_cast<size_t>(ostrev::kMostCandidates),
          "a limit out of range");
  }
  return 0;
}
