#include "tools/batch/http_sender.h"

#include "wire/client_exchange.h"

namespace {

// The reason a failure's body {"error": "..."} gives; "" when it gives none.
std::string reasonOf(const std::string& body) {
  const ResultValue object = ResultValue::parse(body, nullptr, false);
  if (!object.is_object()) return "";
  const ResultValue reason = object.value("error", ResultValue());
  return reason.is_string() ? reason.get<std::string>() : "";
}

std::string statusProblem(unsigned status, const std::string& body) {
  const std::string reason = reasonOf(body);
  const std::string problem = status == 400 ? "the server refused the request"
                                            : "the server answered " + std::to_string(status);
  return reason.empty() ? problem : problem + ": " + reason;
}

}  // namespace

Attempt HttpSender::send(const RowQuery& query) {
  const HttpReply reply =
      connection_.get(kind_.httpTarget(query), kLookupTimeoutMs, kMostCandidatesAnswerBytes);
  Attempt attempt;
  if (!reply.answered) {
    attempt.worthRetrying = reply.worthRetrying;
    attempt.answer = errorAnswer(reply.problem);
  } else if (reply.status == 503 || reply.status == 504) {
    attempt.worthRetrying = true;
    attempt.answer = errorAnswer(statusProblem(reply.status, reply.body));
  } else {
    attempt.answered = true;
    attempt.answer = reply.status == 200 ? kind_.readHttp(reply.body)
                                         : errorAnswer(statusProblem(reply.status, reply.body));
  }
  return attempt;
}
