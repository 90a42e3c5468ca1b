#include "identify_candidates_command.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

#include <nlohmann/json.hpp>

#include "TextTrackLookup.h"
#include "engine/RequestTexts.h"
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

CandidatesRequest parseCandidatesRequest(const std::string& items) {
  CandidatesRequest request;
  std::string artist, album, title, isrc, upc;
  forEachItem(items, [&](const std::string& key, const std::string& value) {
    if (key == "artist") {
      artist = value;
    } else if (key == "album") {
      album = value;
    } else if (key == "title") {
      title = value;
    } else if (key == "isrc") {
      isrc = value;
    } else if (key == "upc") {
      upc = value;
    } else if (key == "limit") {
      char* end = nullptr;
      const long limit = strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || limit < 1 ||
          limit > static_cast<long>(kMostCandidates)) {
        request.error = "limit must be a number from 1 to " + std::to_string(kMostCandidates);
      } else {
        request.limit = static_cast<size_t>(limit);
      }
    }
  });
  request.query = requestQuery(artist, album, title, isrc, upc);
  return request;
}

std::string candidatesJson(const CandidateList& list) {
  nlohmann::ordered_json candidates = nlohmann::ordered_json::array();
  for (const ListedCandidate& c : list.candidates) {
    candidates.push_back({{"track_id", wireId(c.trackId)},
                          {"track", c.track},
                          {"artist_id", wireId(c.artistId)},
                          {"artist", c.artist},
                          {"album_id", wireId(c.albumId)},
                          {"album", c.album},
                          {"score", rounded(c.score)},
                          {"similarity",
                           {{"title", rounded(c.titleSimilarity)},
                            {"artist", rounded(c.artistSimilarity)},
                            {"album", rounded(c.albumSimilarity)}}},
                          {"stage", c.stage}});
    // Why a candidate is not a confident answer, when the verification said so.
    if (!c.reasons.empty()) candidates.back()["reasons"] = c.reasons;
  }
  return dumped({{"candidates", candidates}, {"ambiguous", list.ambiguous}});
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
    engine->beginRequest();
    const CandidateList list = engine->listCandidates(request.query, request.limit);
    if (engine->catalogueFault().occurred()) {
      engine->catalogueFault().report(std::cerr);
      return;
    }
    json = candidatesJson(list);
  }
  answer(&client, std::move(json), "ERROR: send candidates");
}
