#include "tools/batch/server_exchange.h"

#include <errno.h>

#include <cstring>

#include "wire/socket_io.h"

namespace {

constexpr char kServerClosed[] = "the server closed the connection without an answer";

Exchange failed(std::string problem, bool worthRetrying) {
  Exchange exchange;
  exchange.worthRetrying = worthRetrying;
  exchange.problem = std::move(problem);
  return exchange;
}

}  // namespace

Exchange exchangeOnce(const std::string& socketPath, const std::string& request, size_t answerBytes,
                      int timeoutMs) {
  ConnectFailure failure;
  unique_fd connection = connectLocal(socketPath, &failure);
  switch (failure) {
    case ConnectFailure::kPathTooLong:
      return failed("socket path too long: " + socketPath, false);
    case ConnectFailure::kSocket:
      return failed(std::string("socket: ") + strerror(errno), true);
    case ConnectFailure::kConnect:
      return failed(std::string("cannot connect to the server: ") + strerror(errno), true);
    case ConnectFailure::kNone:
      break;
  }
  const long long deadline = monotonicMs() + timeoutMs;
  if (!sendFully(connection.get(), request.data(), request.size())) {
    return failed(errno == EPIPE || errno == ECONNRESET
                      ? kServerClosed
                      : std::string("sending the request: ") + strerror(errno),
                  true);
  }
  Exchange exchange;
  exchange.answer.resize(answerBytes);
  size_t got = 0;
  switch (receiveFully(connection.get(), &exchange.answer[0], answerBytes, &got, deadline)) {
    case ReadStatus::kComplete:
      exchange.answered = true;
      return exchange;
    case ReadStatus::kClosed:
      return failed(kServerClosed, true);
    case ReadStatus::kFailed:
      break;
  }
  if (errno == ETIMEDOUT) {
    return failed("no answer within " + std::to_string(timeoutMs / 1000) + " s", false);
  }
  if (errno == ECONNRESET) return failed(kServerClosed, true);
  return failed(std::string("receiving the answer: ") + strerror(errno), true);
}
