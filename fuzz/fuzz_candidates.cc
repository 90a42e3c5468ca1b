// Fuzz target: the items of a candidates request, parsed, then a JSON answer built with
// names taken from the same bytes. The limit is always one the server can use, and the
// answer must parse back as JSON whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "fuzz_check.h"
#include "identify_candidates_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string items(reinterpret_cast<const char*>(data), size);
  const CandidatesRequest request = parseCandidatesRequest(items);
  check(request.limit >= 1 && request.limit <= static_cast<size_t>(kMostCandidates),
        "a limit out of range");

  ostrev::Candidate candidate;
  candidate.track = request.query.title;
  candidate.artist = request.query.artist;
  candidate.album = items;
  candidate.stage = request.error;
  candidate.reasons = {request.query.upc};
  const nlohmann::json answer =
      nlohmann::json::parse(candidatesJson({candidate}, false), nullptr, false);
  check(answer.is_object() && answer["candidates"].size() == 1, "the answer is not JSON");
  const nlohmann::json error = nlohmann::json::parse(errorJson(items), nullptr, false);
  check(error.is_object(), "the error answer is not JSON");
  return 0;
}
