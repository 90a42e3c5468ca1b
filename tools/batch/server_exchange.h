// One exchange with the lookup server: connect to its socket, send a request, read an
// answer of known size or one that ends where the server closes. All of ostrev-batch's
// socket calls and their messages. Any thread; each call has its own connection.
#ifndef OSTREV_TOOLS_BATCH_SERVER_EXCHANGE_H_
#define OSTREV_TOOLS_BATCH_SERVER_EXCHANGE_H_

#include <cstddef>
#include <string>

struct Exchange {
  bool answered = false;
  bool worthRetrying = false;  // the server could not be reached or went away
  std::string answer;          // when answered: exactly the bytes asked for
  std::string problem;         // otherwise: what went wrong, one line
};

// Sends `request` on a new connection to `socketPath` and reads `answerBytes` bytes of
// answer (kAnswerEndsAtClose: up to 1 MB, until the server closes), waiting at most
// `timeoutMs` for them.
Exchange exchangeOnce(const std::string& socketPath, const std::string& request, size_t answerBytes,
                      int timeoutMs);

#endif  // OSTREV_TOOLS_BATCH_SERVER_EXCHANGE_H_
