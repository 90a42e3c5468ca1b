// ReplyOutbox: where the workers leave finished replies for the intake to write, with the
// descriptor that wakes the intake when one arrives. Holds the replies until the intake
// takes them; post() and wakeIntake() from any thread, take() from the intake's thread.
#ifndef OSTREV_SERVER_REPLY_OUTBOX_H_
#define OSTREV_SERVER_REPLY_OUTBOX_H_

#include <mutex>
#include <vector>

#include "reply.h"
#include "wire/socket_io.h"

class ReplyOutbox {
 public:
  ReplyOutbox();
  ReplyOutbox(const ReplyOutbox&) = delete;
  ReplyOutbox& operator=(const ReplyOutbox&) = delete;

  // False when no wake-up descriptor could be had (errno tells why).
  bool valid() const { return wake_.get() >= 0; }
  // Readable while something waits for the intake.
  int wakeFd() const { return wake_.get(); }

  void post(Reply reply);
  // Wakes the intake with no reply, so that it looks again at what it waits for.
  void wakeIntake();
  // The replies posted since the last call, in the order posted.
  std::vector<Reply> take();

 private:
  std::mutex mutex_;
  std::vector<Reply> replies_;
  unique_fd wake_;
};

#endif  // OSTREV_SERVER_REPLY_OUTBOX_H_
