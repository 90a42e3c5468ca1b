#include "tools/album/album_exchange.h"

#include <utility>

#include "wire/client_exchange.h"

namespace {

// An album's reply grows with its tracks (about 700 bytes each, up to the server's bound on
// tracks); this is far past any.
constexpr size_t kMostReplyBytes = size_t{1} << 30;

}  // namespace

bool exchangeWithServer(const std::string& socketPath, const std::string& request,
                        std::string* reply, std::string* problem) {
  // The reply has no length of its own: it ends where the server closes. An album takes as
  // long as its tracks take: no deadline.
  Exchange exchange = exchangeOnce(socketPath, request, kAnswerEndsAtClose, 0, kMostReplyBytes);
  if (!exchange.answered) {
    *problem = exchange.problem;
    return false;
  }
  *reply = std::move(exchange.answer);
  return true;
}
