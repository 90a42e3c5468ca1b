// RowSender: asks the server about one row with a RequestKind, trying again after a pause
// while the server cannot be reached or closes without an answer. Once a row has used up
// its tries the server counts as gone, and later rows get one try each until one is
// answered again. Shared by the sending threads; borrows the kind.
#ifndef OSTREV_TOOLS_BATCH_ROW_SENDER_H_
#define OSTREV_TOOLS_BATCH_ROW_SENDER_H_

#include <atomic>
#include <string>

#include "tools/batch/answer.h"
#include "tools/batch/request_kind.h"
#include "tools/batch/row.h"

class RowSender {
 public:
  RowSender(std::string socketPath, const RequestKind& kind)
      : socketPath_(std::move(socketPath)), kind_(kind) {}

  Answer send(const RowQuery& query);

 private:
  const std::string socketPath_;
  const RequestKind& kind_;
  std::atomic<bool> serverGone_{false};
};

#endif  // OSTREV_TOOLS_BATCH_ROW_SENDER_H_
