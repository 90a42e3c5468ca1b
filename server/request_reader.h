// RequestReader: the bytes of one request as they arrive on a connection that does not
// block, and the command they make once complete, with the request log lines. Owned by
// whoever reads the connection, one thread at a time.
#ifndef OSTREV_SERVER_REQUEST_READER_H_
#define OSTREV_SERVER_REQUEST_READER_H_

#include <cstddef>
#include <memory>
#include <string>

#include "command.h"
#include "wire/socket_io.h"

class RequestReader {
 public:
  RequestReader() = default;

  // Reads what has arrived on `fd`, never past the end of the request; true once the
  // request is complete or the connection ended (closed by the peer, or a receive failed).
  bool readFrom(int fd);

  // Ends the request where it stands, as a receive failing with `error` would.
  void fail(int error);

  bool done() const { return ending_ != Ending::kOpen || complete(); }
  // The memory the request holds so far.
  size_t bytesHeld() const { return bytes_.capacity(); }

  // The command the request makes, which takes `client` (or closes it), after writing the
  // request's log lines. Call once, when done().
  std::unique_ptr<command> finish(unique_fd client, int option_flags);

 private:
  enum class Ending { kOpen, kClosed, kFailed };

  bool isVariable() const;
  // How many bytes the request holds, as far as what has arrived tells.
  size_t wanted() const;
  bool complete() const { return bytes_.size() >= wanted(); }
  // Room for `needed` bytes, growing by doubling up to the request's length.
  void makeRoom(size_t needed);

  std::string bytes_;
  Ending ending_ = Ending::kOpen;
  int error_ = 0;
};

#endif  // OSTREV_SERVER_REQUEST_READER_H_
