// HttpSender: asks the server's HTTP listener, over a keep-alive connection of its own,
// and reads its statuses as the socket's failures. Owned by one lookup thread; borrows
// the request kind.
#ifndef OSTREV_TOOLS_BATCH_HTTP_SENDER_H_
#define OSTREV_TOOLS_BATCH_HTTP_SENDER_H_

#include "tools/batch/http_connection.h"
#include "tools/batch/row_sender.h"

class HttpSender : public RowSender {
 public:
  HttpSender(HttpEndpoint endpoint, const RequestKind& kind)
      : kind_(kind), connection_(std::move(endpoint)) {}

  // 200 is the row's answer; 503 (busy, stopping, not ready) and 504 (the catalogue lost)
  // are tried again as a server gone away; 400 and any other status are the row's error.
  Attempt send(const RowQuery& query) override;

 private:
  const RequestKind& kind_;
  HttpConnection connection_;
};

#endif  // OSTREV_TOOLS_BATCH_HTTP_SENDER_H_
