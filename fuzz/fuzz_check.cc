#include "fuzz_check.h"

#include <errno.h>

#include <cstdio>
#include <cstdlib>

namespace {

int report_fd = 2;

}  // namespace

void check(bool condition, const char* what) {
  if (condition) return;
  dprintf(report_fd, "%s: %s\n", program_invocation_short_name, what);
  abort();
}

void reportChecksTo(int fd) { report_fd = fd; }
