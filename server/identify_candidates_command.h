// One candidates request: the query's items (artist, album, title, isrc, upc, limit) and
// the connection the JSON answer goes back on (closed unanswered when the catalogue was
// unreachable). Owned by the queue, then by the worker, which hands the reply to the
// intake.
#ifndef OSTREV_SERVER_IDENTIFY_CANDIDATES_COMMAND_H_
#define OSTREV_SERVER_IDENTIFY_CANDIDATES_COMMAND_H_

#include <cstddef>
#include <string>
#include <vector>

#include "command.h"
#include "ostrev/matcher.h"
#include "wire/wire_format.h"

struct CandidatesRequest {
  ostrev::Query query;
  size_t limit = kDefaultCandidates;
  std::string error;  // why the request cannot be answered; empty when it can
};

// Reads the number of candidates asked for; false with `problem` set when it is not one
// from 1 to kMostCandidates.
bool readCandidateLimit(const std::string& text, size_t* limit, std::string* problem);

// Reads the items after "identify_candidates|"; a later item wins over an earlier one.
CandidatesRequest parseCandidatesRequest(const std::string& items);

// {"candidates":[{...},...],"ambiguous":false} and a newline; text of any bytes is valid
// JSON (invalid UTF-8 becomes U+FFFD).
std::string candidatesJson(const std::vector<ostrev::Candidate>& candidates, bool ambiguous);
// {"error":"..."} and a newline.
std::string errorJson(const std::string& reason);

class identify_candidates_command : public command {
 public:
  identify_candidates_command(unique_fd client, std::string items);

  void do_it(TextTrackLookup* engine, int option_flags) override;

  unique_fd client;
  std::string items;
};

#endif  // OSTREV_SERVER_IDENTIFY_CANDIDATES_COMMAND_H_
