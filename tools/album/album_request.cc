#include "tools/album/album_request.h"

#include <cstdio>

#include "wire_format.h"

namespace {

constexpr size_t kMaxRequestBytes = 999999;
constexpr char kRequestName[] = "identify_album_tracks|";
constexpr size_t kRequestNameLength = sizeof(kRequestName) - 1;
constexpr size_t kLengthDigits = 6;
static_assert(sizeof(kVariableName) + kLengthDigits == kVariableHeaderSize,
              "the header is the name, its NUL and the length digits");

}  // namespace

size_t maxDescriptorBytes() {
  return kMaxRequestBytes - kVariableHeaderSize - kRequestNameLength;
}

bool albumRequest(const std::string& descriptor, std::string* request) {
  if (descriptor.size() > maxDescriptorBytes()) return false;
  size_t total = kVariableHeaderSize + kRequestNameLength + descriptor.size();
  char digits[kLengthDigits + 1];
  snprintf(digits, sizeof(digits), "%06zu", total);
  request->assign(kVariableName, sizeof(kVariableName));  // with its NUL
  request->append(digits, kLengthDigits);
  request->append(kRequestName, kRequestNameLength);
  request->append(descriptor);
  return true;
}
