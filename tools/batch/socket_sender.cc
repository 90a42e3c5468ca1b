#include "tools/batch/socket_sender.h"

#include "wire/client_exchange.h"

Attempt SocketSender::send(const RowQuery& query) {
  Attempt attempt;
  std::string request;
  std::string problem;
  if (!kind_.request(query, &request, &problem)) {
    attempt.answer = errorAnswer(problem);
    return attempt;
  }
  Exchange exchange = exchangeOnce(socketPath_, request, kind_.answerBytes(), kLookupTimeoutMs,
                                   kMostCandidatesAnswerBytes);
  attempt.answered = exchange.answered;
  attempt.worthRetrying = exchange.worthRetrying;
  attempt.answer = exchange.answered ? kind_.read(exchange.answer) : errorAnswer(exchange.problem);
  return attempt;
}
