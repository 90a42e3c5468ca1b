#include "base/EnvironmentNumber.h"

#include <cerrno>
#include <cstdlib>

long environmentNumber(const char* name, long lowest, long highest, long otherwise) {
  const char* text = getenv(name);
  if (text == nullptr) return otherwise;
  char* end = nullptr;
  errno = 0;
  const long value = strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < lowest || value > highest) {
    return otherwise;
  }
  return value;
}
