// The server's request objects. The intake creates one per complete request, the queue
// owns it, and a worker runs it with do_it, takes its reply for the intake to write and
// deletes it; deleting a command closes a connection it still holds. Worker thread only.
#ifndef OSTREV_SERVER_COMMAND_H_
#define OSTREV_SERVER_COMMAND_H_

#include <optional>
#include <string>

#include "reply.h"
#include "wire/socket_io.h"

class TextTrackLookup;

// A request that could not be read, or named nothing the server knows.
class command {
 public:
  command();
  virtual ~command();
  command(const command&) = delete;
  command& operator=(const command&) = delete;

  virtual void do_it(TextTrackLookup* engine, int option_flags);

  // The reply do_it left, which owns the connection from here on; none when the request
  // goes unanswered (its connection closes with the command).
  std::optional<Reply> takeReply();

  // What a command is; set by the constructors, read by the intake.
  enum kind_value : int { kPlain = 0, kShutdown = 1, kLookup = 2 };
  kind_value kind;

 protected:
  explicit command(kind_value kind);

  // For do_it: `bytes` go back on `*client`, which the reply takes over.
  void answer(unique_fd* client, std::string bytes, const char* sendFailure);

 private:
  std::optional<Reply> reply_;
};

// A request to stop the server. The intake acts on it as it reads it (nothing is read
// after it) and queues it behind what is waiting, where it does nothing.
class shutdown_command : public command {
 public:
  shutdown_command();
  void do_it(TextTrackLookup* engine, int option_flags) override;
};

#endif  // OSTREV_SERVER_COMMAND_H_
