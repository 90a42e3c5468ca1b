// SocketSender: asks the server on its UNIX socket, one connection per try. Owned by one
// lookup thread; borrows the request kind.
#ifndef OSTREV_TOOLS_BATCH_SOCKET_SENDER_H_
#define OSTREV_TOOLS_BATCH_SOCKET_SENDER_H_

#include <string>

#include "tools/batch/row_sender.h"

class SocketSender : public RowSender {
 public:
  SocketSender(std::string socketPath, const RequestKind& kind)
      : socketPath_(std::move(socketPath)), kind_(kind) {}

  Attempt send(const RowQuery& query) override;

 private:
  const std::string socketPath_;
  const RequestKind& kind_;
};

#endif  // OSTREV_TOOLS_BATCH_SOCKET_SENDER_H_
