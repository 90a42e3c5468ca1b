// One exchange of a client with the lookup server: connect, send a request, read an answer
// of known size or one that ends at the close within a deadline and a size bound, and say
// what failed. The clients' socket calls and their messages. Any thread.
#ifndef OSTREV_WIRE_CLIENT_EXCHANGE_H_
#define OSTREV_WIRE_CLIENT_EXCHANGE_H_

#include <cstddef>
#include <string>

#include "wire/socket_io.h"

// The step that failed, for a client that words its own messages.
enum class ExchangeFailure {
  kNone,
  kPathTooLong,  // the socket path does not fit an address
  kSocket,       // no socket could be made
  kConnect,      // nothing listens at the path, or it may not be reached
  kSend,         // sending the request failed
  kReceive,      // receiving failed, or the deadline passed (ETIMEDOUT)
  kClosed,       // the server closed before the answer was whole, or without one
  kTooLong,      // an answer that ends at the close grew past its bound
};

struct Exchange {
  bool answered = false;
  bool worthRetrying = false;  // the server could not be reached or went away
  std::string answer;          // when answered: exactly the bytes asked for
  std::string problem;         // otherwise: what went wrong, one line
  ExchangeFailure failure = ExchangeFailure::kNone;
  int error = 0;  // errno of the failed call, for kPathTooLong to kReceive
};

// An answer that ends where the server closes the connection.
constexpr size_t kAnswerEndsAtClose = 0;

// Far more than the longest list of candidates the server sends.
constexpr size_t kMostCandidatesAnswerBytes = 1024 * 1024;

// A connection to the server at `socketPath`; an invalid one, with `*failure` saying why,
// when none can be had.
unique_fd connectToServer(const std::string& socketPath, Exchange* failure);

// Sends `request` on `connection` and reads `answerBytes` bytes of answer
// (kAnswerEndsAtClose: until the server closes, at least one byte and at most
// `mostAnswerBytes`), waiting at most `timeoutMs` for them (0: no limit).
Exchange exchangeOver(const unique_fd& connection, const std::string& request,
                      size_t answerBytes, int timeoutMs, size_t mostAnswerBytes);

// Both: connects to `socketPath`, then exchanges over the new connection.
Exchange exchangeOnce(const std::string& socketPath, const std::string& request, size_t answerBytes,
                      int timeoutMs, size_t mostAnswerBytes);

#endif  // OSTREV_WIRE_CLIENT_EXCHANGE_H_
