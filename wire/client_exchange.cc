#include "wire/client_exchange.h"

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

// Why a receive failed, errno telling.
Exchange receiveFailed(int timeoutMs) {
  if (errno == ETIMEDOUT) {
    return failed("no answer within " + std::to_string(timeoutMs / 1000) + " s", false);
  }
  if (errno == ECONNRESET) return failed(kServerClosed, true);
  return failed(std::string("receiving the answer: ") + strerror(errno), true);
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
      return failed(kServerClosed, true);
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
      return failed("an answer over " + std::to_string(mostAnswerBytes) + " bytes", false);
    }
    exchange.answer.resize(had + kChunkBytes);
    size_t got = 0;
    const ReadStatus status = receiveFully(fd, &exchange.answer[had], kChunkBytes, &got, deadline);
    exchange.answer.resize(had + got);
    if (status == ReadStatus::kFailed) return receiveFailed(timeoutMs);
    if (status == ReadStatus::kClosed) break;
  }
  if (exchange.answer.empty()) return failed(kServerClosed, true);
  exchange.answered = true;
  return exchange;
}

}  // namespace

Exchange exchangeOnce(const std::string& socketPath, const std::string& request, size_t answerBytes,
                      int timeoutMs, size_t mostAnswerBytes) {
  ConnectFailure failure;
  unique_fd connection = connectLocal(socketPath, &failure);
  switch (failure) {
    case ConnectFailure::kPathTooLong:
      return failed("socket path too long: " + socketPath, false);
    case ConnectFailure::kSocket:
      return failed(std::string("socket: ") + strerror(errno), true);
    case ConnectFailure::kConnect:
      return failed("cannot connect to " + socketPath + ": " + strerror(errno), true);
    case ConnectFailure::kNone:
      break;
  }
  const long long deadline = timeoutMs > 0 ? monotonicMs() + timeoutMs : -1;
  if (!sendFully(connection.get(), request.data(), request.size())) {
    return failed(errno == EPIPE || errno == ECONNRESET
                      ? kServerClosed
                      : std::string("sending the request: ") + strerror(errno),
                  true);
  }
  if (answerBytes == kAnswerEndsAtClose) {
    return receiveToClose(connection.get(), deadline, timeoutMs, mostAnswerBytes);
  }
  return receiveSized(connection.get(), answerBytes, deadline, timeoutMs);
}
