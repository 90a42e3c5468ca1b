#include "intake_limits.h"

#include "base/EnvironmentNumber.h"

long long requestTimeoutMs() {
  static const long long ms = environmentNumber("OSTREV_RECV_TIMEOUT", 1, 86400, 30) * 1000LL;
  return ms;
}

long long replyTimeoutMs() {
  static const long long ms = environmentNumber("OSTREV_SEND_TIMEOUT", 1, 86400, 10) * 1000LL;
  return ms;
}

size_t pendingBytesBudget() {
  // At least one whole request of the largest size fits.
  static const size_t bytes = static_cast<size_t>(
      environmentNumber("OSTREV_PENDING_BYTES", 1L << 20, 1L << 40, 64L << 20));
  return bytes;
}
