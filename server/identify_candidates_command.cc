#include "identify_candidates_command.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

#include <nlohmann/json.hpp>

#include "TextTrackLookup.h"
#include "api/EngineMatcher.h"
#include "descriptor_items.h"
#include "identify_command.h"
#include "wire/wire_format.h"

namespace {

// Scores to two decimals: the float's other digits say nothing.
double rounded(float score) { return std::round(static_cast<double>(score) * 100) / 100; }

std::string dumped(const nlohmann::ordered_json& value) {
  return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

bool readCandidateLimit(const std::string& text, size_t* limit, std::string* problem) {
  char* end = nullptr;
  const long value = strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 1 || value > static_cast<long>(kMostCandidates)) {
    *problem = "limit must be a number from 1 to " + std::to_string(kMostCandidates);
    return false;
  }
  *limit = static_cast<size_t>(value);
  return true;
}

CandidatesRequest parseCandidatesRequest(const std::string& items) {
  CandidatesRequest request;
  ostrev::Query& query = request.query;
  forEachItem(items, [&](const std::string& key, const std::string& value) {
    if (key == "artist") {
      query.artist = value;
    } else if (key == "album") {
      query.album = value;
    } else if (key == "title") {
      query.title = value;
    } else if (key == "isrc") {
      query.isrc = value;
    } else if (key == "upc") {
      query.upc = value;
    } else if (key == "limit") {
      readCandidateLimit(value, &request.limit, &request.error);
    }
  });
  return request;
}

std::string candidatesJson(const std::vector<ostrev::Candidate>& candidates, bool ambiguous) {
  nlohmann::ordered_json listed = nlohmann::ordered_json::array();
  for (const ostrev::Candidate& c : candidates) {
    listed.push_back({{"track_id", c.track_id},
                      {"track", c.track},
                      {"artist_id", c.artist_id},
                      {"artist", c.artist},
                      {"album_id", c.album_id},
                      {"album", c.album},
                      {"score", rounded(c.score)},
                      {"similarity",
                       {{"title", rounded(c.title_similarity)},
                        {"artist", rounded(c.artist_similarity)},
                        {"album", rounded(c.album_similarity)}}},
                      {"stage", c.stage}});
    // Why a candidate is not a confident answer, when the verification said so.
    if (!c.reasons.empty()) listed.back()["reasons"] = c.reasons;
  }
  return dumped({{"candidates", listed}, {"ambiguous", ambiguous}});
}

std::string errorJson(const std::string& reason) { return dumped({{"error", reason}}); }

identify_candidates_command::identify_candidates_command(unique_fd client, std::string items)
    : command(kLookup), client(std::move(client)), items(std::move(items)) {}

void identify_candidates_command::do_it(TextTrackLookup* engine, int) {
  std::cout << kCandidatesName << '|' << items << std::endl;
  const CandidatesRequest request = parseCandidatesRequest(items);
  std::string json;
  if (!request.error.empty()) {
    json = errorJson(request.error);
  } else {
    std::vector<ostrev::Candidate> candidates;
    bool ambiguous = false;
    const ostrev::Status status = ostrev::EngineMatcher::Over(engine)->Candidates(
        request.query, request.limit, &candidates, &ambiguous);
    if (engine->catalogueFault().occurred()) {
      engine->catalogueFault().report(std::cerr);
      return;
    }
    json = status.ok() ? candidatesJson(candidates, ambiguous) : errorJson(status.ToString());
  }
  answer(&client, std::move(json), "ERROR: send candidates");
}
