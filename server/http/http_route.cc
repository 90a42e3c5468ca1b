#include "http/http_route.h"

#include <glib.h>

#include <nlohmann/json.hpp>

#include "identify_candidates_command.h"
#include "wire/percent_encoding.h"

namespace {

using Json = nlohmann::json;

HttpRoute refused(int status, const std::string& reason, std::string endpoint = "other") {
  HttpRoute route;
  route.kind = HttpRoute::kRefused;
  route.endpoint = std::move(endpoint);
  route.refusal = HttpAnswer{status, httpErrorBody(reason)};
  return route;
}

// Why `text`, the field `name` of a request, cannot be looked up; "" when it can.
std::string textProblem(const std::string& name, const std::string& text) {
  if (text.size() > kMostHttpTextBytes) {
    return name + " is over " + std::to_string(kMostHttpTextBytes) + " bytes";
  }
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    return name + " is not valid UTF-8";
  }
  return "";
}

// The text fields of `query` by name, for reading and checking them in one loop.
std::vector<std::pair<const char*, std::string*>> fieldsOf(ostrev::Query* query) {
  return {{"artist", &query->artist},
          {"album", &query->album},
          {"title", &query->title},
          {"isrc", &query->isrc},
          {"upc", &query->upc}};
}

// The most parameters a GET may carry: each of the six names, with room for a few more.
constexpr size_t kMostParameters = 16;

// The "name=value" pairs of a query string; false when there are too many.
bool splitParameters(std::string_view parameters, std::vector<std::string_view>* pairs) {
  while (!parameters.empty()) {
    const size_t amp = parameters.find('&');
    const std::string_view pair = parameters.substr(0, amp);
    parameters = amp == std::string_view::npos ? "" : parameters.substr(amp + 1);
    if (pair.empty()) continue;
    if (pairs->size() == kMostParameters) return false;
    pairs->push_back(pair);
  }
  return true;
}

// Reads the query string of a GET: the five texts, and `limit` when `limit` is given.
std::string readParameters(std::string_view parameters, ostrev::Query* query, size_t* limit) {
  std::vector<std::string_view> pairs;
  if (!splitParameters(parameters, &pairs)) return "too many parameters";
  std::string name, value;
  for (const std::string_view pair : pairs) {
    const size_t equals = pair.find('=');
    if (!percentDecoded(pair.substr(0, equals), &name) ||
        !percentDecoded(equals == std::string_view::npos ? "" : pair.substr(equals + 1),
                        &value)) {
      return "a parameter is not percent-encoded";
    }
    bool known = false;
    for (auto& [field, text] : fieldsOf(query)) {
      if (name != field) continue;
      *text = value;
      known = true;
    }
    if (name == "limit" && limit != nullptr) {
      std::string problem;
      if (!readCandidateLimit(value, limit, &problem)) return problem;
      known = true;
    }
    if (!known) return "unknown parameter " + name.substr(0, 40);
  }
  for (auto& [field, text] : fieldsOf(query)) {
    std::string problem = textProblem(field, *text);
    if (!problem.empty()) return problem;
  }
  return "";
}

// The string member `name` of a JSON object, "" when absent; false when it is there but
// not a string.
bool jsonText(const Json& object, const char* name, std::string* text) {
  const auto found = object.find(name);
  if (found == object.end() || found->is_null()) return true;
  if (!found->is_string()) return false;
  *text = found->get<std::string>();
  return true;
}

// Reads a JSON query object into `query`; the problem, or "".
std::string readJsonQuery(const Json& object, const char* what, ostrev::Query* query) {
  if (!object.is_object()) return std::string(what) + " is not an object";
  for (auto& [field, text] : fieldsOf(query)) {
    if (!jsonText(object, field, text)) return std::string(field) + " is not a string";
    std::string problem = textProblem(field, *text);
    if (!problem.empty()) return problem;
  }
  return "";
}

HttpRoute lookupRoute(const char* endpoint, HttpLookup lookup) {
  HttpRoute route;
  route.kind = HttpRoute::kLookup;
  route.endpoint = endpoint;
  route.lookup = std::move(lookup);
  return route;
}

HttpRoute identifyMany(const std::string& body) {
  const Json queries = Json::parse(body, nullptr, false);
  if (!queries.is_array()) return refused(400, "the body is not a JSON array", "identify_many");
  if (queries.size() > kMostHttpQueries) {
    return refused(400, "more than " + std::to_string(kMostHttpQueries) + " queries",
                   "identify_many");
  }
  HttpLookup lookup;
  lookup.kind = HttpLookup::kIdentifyMany;
  for (const Json& object : queries) {
    ostrev::Query query;
    std::string problem = readJsonQuery(object, "a query", &query);
    if (!problem.empty()) {
      return refused(400, "query " + std::to_string(lookup.queries.size() + 1) + ": " + problem,
                     "identify_many");
    }
    lookup.queries.push_back(std::move(query));
  }
  return lookupRoute("identify_many", std::move(lookup));
}

HttpRoute album(const std::string& body) {
  const Json request = Json::parse(body, nullptr, false);
  if (!request.is_object()) return refused(400, "the body is not a JSON object", "album");
  HttpLookup lookup;
  lookup.kind = HttpLookup::kAlbum;
  ostrev::AlbumQuery& album = lookup.album;
  ostrev::Query albumTexts;
  std::string problem = readJsonQuery(request, "the album", &albumTexts);
  const auto tracks = request.find("tracks");
  if (problem.empty() && (tracks == request.end() || !tracks->is_array())) {
    problem = "tracks is not an array";
  }
  if (problem.empty() && tracks->size() > kMostHttpQueries) {
    problem = "more than " + std::to_string(kMostHttpQueries) + " tracks";
  }
  if (!problem.empty()) return refused(400, problem, "album");
  album.album = albumTexts.album;
  album.artist = albumTexts.artist;
  album.upc = albumTexts.upc;
  for (const Json& object : *tracks) {
    ostrev::Query track;
    problem = readJsonQuery(object, "a track", &track);
    if (!problem.empty()) {
      return refused(400, "track " + std::to_string(album.tracks.size() + 1) + ": " + problem,
                     "album");
    }
    album.tracks.push_back({track.title, track.artist, track.isrc});
  }
  return lookupRoute("album", std::move(lookup));
}

}  // namespace

std::string httpErrorBody(const std::string& reason) {
  return Json({{"error", reason}}).dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

HttpRoute routeHttpRequest(std::string_view method, std::string_view target,
                           const std::string& body) {
  const size_t question = target.find('?');
  const std::string_view path = target.substr(0, question);
  const std::string_view parameters =
      question == std::string_view::npos ? "" : target.substr(question + 1);
  const bool get = method == "GET";
  const bool post = method == "POST";

  struct Simple {
    const char* path;
    HttpRoute::Kind kind;
    const char* endpoint;
  };
  for (const Simple& simple : {Simple{"/healthz", HttpRoute::kHealth, "healthz"},
                               Simple{"/readyz", HttpRoute::kReady, "readyz"},
                               Simple{"/metrics", HttpRoute::kMetrics, "metrics"}}) {
    if (path != simple.path) continue;
    if (!get) return refused(405, "use GET", simple.endpoint);
    HttpRoute route;
    route.kind = simple.kind;
    route.endpoint = simple.endpoint;
    return route;
  }
  if (path == "/v1/identify" && get) {
    HttpLookup lookup;
    lookup.queries.emplace_back();
    std::string problem = readParameters(parameters, &lookup.queries[0], nullptr);
    if (!problem.empty()) return refused(400, problem, "identify");
    return lookupRoute("identify", std::move(lookup));
  }
  if (path == "/v1/identify" && post) return identifyMany(body);
  if (path == "/v1/identify") return refused(405, "use GET or POST", "identify");
  if (path == "/v1/candidates" && get) {
    HttpLookup lookup;
    lookup.kind = HttpLookup::kCandidates;
    lookup.limit = kDefaultCandidates;
    lookup.queries.emplace_back();
    std::string problem = readParameters(parameters, &lookup.queries[0], &lookup.limit);
    if (!problem.empty()) return refused(400, problem, "candidates");
    return lookupRoute("candidates", std::move(lookup));
  }
  if (path == "/v1/candidates") return refused(405, "use GET", "candidates");
  if (path == "/v1/album" && post) return album(body);
  if (path == "/v1/album") return refused(405, "use POST", "album");
  return refused(404, "no such path");
}
