#include "http/http_lookup_command.h"

#include <iostream>
#include <utility>

#include "TextTrackLookup.h"
#include "api/EngineMatcher.h"
#include "http/http_answers.h"
#include "identify_candidates_command.h"
#include "wire/answer_json.h"

http_lookup_command::http_lookup_command(HttpLookup lookup, Done done)
    : command(kLookup), lookup_(std::move(lookup)), done_(std::move(done)) {}

http_lookup_command::~http_lookup_command() {
  if (done_) done_(HttpAnswer{503, httpErrorBody("the server is stopping")});
}

void http_lookup_command::finish(HttpAnswer answer) {
  Done done = std::move(done_);
  done_ = nullptr;
  done(std::move(answer));
}

void http_lookup_command::do_it(TextTrackLookup* engine, int) {
  std::unique_ptr<ostrev::Matcher> matcher = ostrev::EngineMatcher::Over(engine);
  ostrev::Status status;
  HttpAnswer answer;
  switch (lookup_.kind) {
    case HttpLookup::kIdentify: {
      ostrev::Match match;
      status = matcher->Identify(lookup_.queries[0], &match);
      answer.body = jsonLine(matchJson(match));
      break;
    }
    case HttpLookup::kCandidates: {
      std::vector<ostrev::Candidate> candidates;
      bool ambiguous = false;
      status = matcher->Candidates(lookup_.queries[0], lookup_.limit, &candidates, &ambiguous);
      answer.body = candidatesJson(candidates, ambiguous);
      break;
    }
    case HttpLookup::kIdentifyMany: {
      std::vector<ostrev::Match> matches(lookup_.queries.size());
      for (size_t i = 0; i < matches.size() && status.ok(); ++i) {
        status = matcher->Identify(lookup_.queries[i], &matches[i]);
      }
      answer.body = matchesBody("answers", matches);
      break;
    }
    case HttpLookup::kAlbum: {
      std::vector<ostrev::Match> matches;
      status = matcher->IdentifyAlbum(lookup_.album, &matches);
      answer.body = matchesBody("tracks", matches);
      break;
    }
  }
  // Without the catalogue an answer would read as "no such track": none is sent.
  if (engine->catalogueFault().occurred()) {
    engine->catalogueFault().report(std::cerr);
    answer = HttpAnswer{504, httpErrorBody("the catalogue could not be reached")};
  } else if (!status.ok()) {
    answer = HttpAnswer{status.IsInvalidArgument() ? 400 : 503, httpErrorBody(status.ToString())};
  }
  finish(std::move(answer));
}
