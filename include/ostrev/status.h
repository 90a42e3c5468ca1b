// Status: the outcome of a call of the ostrev library, OK or why it failed. The library
// reports every failure this way: it never ends the process and writes nothing of its own.
// A plain value; copies are independent; any thread.
#ifndef OSTREV_INCLUDE_OSTREV_STATUS_H_
#define OSTREV_INCLUDE_OSTREV_STATUS_H_

#include <string>

namespace ostrev {

class Status {
 public:
  // OK.
  Status() = default;

  static Status OK() { return Status(); }
  // A query or an option the library cannot use (a limit out of range, no database).
  static Status InvalidArgument(std::string message) {
    return Status(kInvalidArgument, std::move(message));
  }
  // The catalogue could not be reached, read, or was lost during the call: no answer.
  static Status Unavailable(std::string message) {
    return Status(kUnavailable, std::move(message));
  }

  bool ok() const { return code_ == kOk; }
  bool IsInvalidArgument() const { return code_ == kInvalidArgument; }
  bool IsUnavailable() const { return code_ == kUnavailable; }

  // "OK", or the kind and the message: "Unavailable: the catalogue cannot be reached ...".
  std::string ToString() const;

 private:
  enum Code { kOk, kInvalidArgument, kUnavailable };
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}

  Code code_ = kOk;
  std::string message_;
};

}  // namespace ostrev

#endif  // OSTREV_INCLUDE_OSTREV_STATUS_H_
