#include "tools/batch/row_sender.h"

#include <chrono>
#include <thread>

#include "wire/client_exchange.h"

namespace {

// The pauses before the second, third and fourth try.
constexpr std::chrono::milliseconds kRetryPauses[] = {std::chrono::milliseconds(200),
                                                      std::chrono::milliseconds(500),
                                                      std::chrono::milliseconds(1000)};
constexpr int kRetryCount = sizeof(kRetryPauses) / sizeof(kRetryPauses[0]);

// Longer than the server's own limits on a lookup; a server that never answers must not
// hold the batch.
constexpr int kAnswerTimeoutMs = 60 * 1000;

}  // namespace

Answer RowSender::send(const RowQuery& query) {
  std::string request;
  std::string problem;
  if (!kind_.request(query, &request, &problem)) return errorAnswer(problem);
  const int retries = serverGone_.load() ? 0 : kRetryCount;
  for (int attempt = 0;; ++attempt) {
    Exchange exchange =
        exchangeOnce(socketPath_, request, kind_.answerBytes(), kAnswerTimeoutMs,
                     kMostCandidatesAnswerBytes);
    if (exchange.answered) {
      serverGone_.store(false);
      return kind_.read(exchange.answer);
    }
    if (!exchange.worthRetrying) return errorAnswer(exchange.problem);
    if (attempt == retries) {
      serverGone_.store(true);
      return errorAnswer(exchange.problem);
    }
    std::this_thread::sleep_for(kRetryPauses[attempt]);
  }
}
