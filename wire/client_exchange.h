// One exchange of a client with the lookup server: connect to its socket, send a request,
// read an answer of known size or one that ends where the server closes, within a deadline
// and a size bound, and say what failed. The clients' socket calls and their messages.
// Any thread; each call has its own connection.
#ifndef OSTREV_WIRE_CLIENT_EXCHANGE_H_
#define OSTREV_WIRE_CLIENT_EXCHANGE_H_

#include <cstddef>
#include <string>

struct Exchange {
  bool answered = false;
  bool worthRetrying = false;  // the server could not be reached or went away
  std::string answer;          // when answered: exactly the bytes asked for
  std::string problem;         // otherwise: what went wrong, one line
};

// An answer that ends where the server closes the connection.
constexpr size_t kAnswerEndsAtClose = 0;

// Sends `request` on a new connection to `socketPath` and reads `answerBytes` bytes of
// answer (kAnswerEndsAtClose: until the server closes, at most `mostAnswerBytes`), waiting
// at most `timeoutMs` for them (0: no limit).
Exchange exchangeOnce(const std::string& socketPath, const std::string& request, size_t answerBytes,
                      int timeoutMs, size_t mostAnswerBytes);

#endif  // OSTREV_WIRE_CLIENT_EXCHANGE_H_
