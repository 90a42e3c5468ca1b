#include "wire/client_exchange.h"

#include <errno.h>

#include <cstring>

namespace {

constexpr char kServerClosed[] = "the server closed the connection without an answer";

// `error` is the failed call's errno, taken before anything else could change it.
Exchange failed(ExchangeFailure failure, int error, std::string problem, bool worthRetrying) {
  Exchange exchange;
  exchange.failure = failure;
  exchange.error = error;
  exchange.worthRetrying = worthRetrying;
  exchange.problem = std::move(problem);
  return exchange;
}

Exchange closed() { return failed(ExchangeFailure::kClosed, 0, kServerClosed, true); }

// Why a receive failed, errno telling.
Exchange receiveFailed(int timeoutMs) {
  const int error = errno;
  if (error == ETIMEDOUT) {
    return failed(ExchangeFailure::kReceive, error,
                  "no answer within " + std::to_string(timeoutMs / 1000) + " s", false);
  }
  return failed(ExchangeFailure::kReceive, error,
                error == ECONNRESET ? kServerClosed
                                    : std::string("receiving the answer: ") + strerror(error),
                true);
}

Exchange receiveSized(int fd, size_t answerBytes, long long deadline, int timeoutMs) {
  Exchange exchange;
  exchange.answer.resize(answerBytes);
  size_t got = 0;
  switch (receiveFully(fd, &exchange.answer[0], answerBytes, &got, deadline)) {
    case ReadStatus::kComplete:
      exchange.answered = true;
      return exchange;
    case ReadStatus::kClosed:
      return closed();
    case ReadStatus::kFailed:
      break;
  }
  return receiveFailed(timeoutMs);
}

Exchange receiveToClose(int fd, long long deadline, int timeoutMs, size_t mostAnswerBytes) {
  constexpr size_t kChunkBytes = 64 * 1024;
  Exchange exchange;
  for (;;) {
    const size_t had = exchange.answer.size();
    if (had >= mostAnswerBytes) {
      return failed(ExchangeFailure::kTooLong, 0,
                    "an answer over " + std::to_string(mostAnswerBytes) + " bytes", false);
    }
    exchange.answer.resize(had + kChunkBytes);
    size_t got = 0;
    const ReadStatus status = receiveFully(fd, &exchange.answer[had], kChunkBytes, &got, deadline);
    exchange.answer.resize(had + got);
    if (status == ReadStatus::kFailed) return receiveFailed(timeoutMs);
    if (status == ReadStatus::kClosed) break;
  }
  if (exchange.answer.empty()) return closed();
  exchange.answered = true;
  return exchange;
}

}  // namespace

unique_fd connectToServer(const std::string& socketPath, Exchange* failure) {
  ConnectFailure step;
  unique_fd connection = connectLocal(socketPath, &step);
  const int error = errno;
  switch (step) {
    case ConnectFailure::kPathTooLong:
      *failure = failed(ExchangeFailure::kPathTooLong, error,
                        "socket path too long: " + socketPath, false);
      break;
    case ConnectFailure::kSocket:
      *failure = failed(ExchangeFailure::kSocket, error,
                        std::string("socket: ") + strerror(error), true);
      break;
    case ConnectFailure::kConnect:
      *failure = failed(ExchangeFailure::kConnect, error,
                        "cannot connect to " + socketPath + ": " + strerror(error), true);
      break;
    case ConnectFailure::kNone:
      break;
  }
  return connection;
}

Exchange exchangeOver(const unique_fd& connection, const std::string& request,
                      size_t answerBytes, int timeoutMs, size_t mostAnswerBytes) {
  const long long deadline = timeoutMs > 0 ? monotonicMs() + timeoutMs : -1;
  if (!sendFully(connection.get(), request.data(), request.size())) {
    const int error = errno;
    return failed(ExchangeFailure::kSend, error,
                  error == EPIPE || error == ECONNRESET
                      ? kServerClosed
                      : std::string("sending the request: ") + strerror(error),
                  true);
  }
  if (answerBytes == kAnswerEndsAtClose) {
    return receiveToClose(connection.get(), deadline, timeoutMs, mostAnswerBytes);
  }
  return receiveSized(connection.get(), answerBytes, deadline, timeoutMs);
}

Exchange exchangeOnce(const std::string& socketPath, const std::string& request, size_t answerBytes,
                      int timeoutMs, size_t mostAnswerBytes) {
  Exchange failure;
  unique_fd connection = connectToServer(socketPath, &failure);
  if (connection.get() < 0) return failure;
  return exchangeOver(connection, request, answerBytes, timeoutMs, mostAnswerBytes);
}
