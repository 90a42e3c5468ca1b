#include "ostrev/status.h"

namespace ostrev {

std::string Status::ToString() const {
  switch (code_) {
    case kOk:
      return "OK";
    case kInvalidArgument:
      return "Invalid argument: " + message_;
    case kUnavailable:
      return "Unavailable: " + message_;
  }
  return message_;
}

}  // namespace ostrev
