#include "tools/import/progress.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds kRedrawInterval(200);

}  // namespace

Progress::Progress()
    : enabled_(isatty(STDERR_FILENO) == 1), start_(Clock::now()), lastDrawn_(start_) {}

void Progress::update(long long lines, long long tracks) {
  if (!enabled_) return;
  Clock::time_point now = Clock::now();
  if (now - lastDrawn_ < kRedrawInterval) return;
  lastDrawn_ = now;
  double seconds = std::chrono::duration<double>(now - start_).count();
  char text[128];
  int length = snprintf(text, sizeof text, "%lld lines read, %.0f tracks/s", lines,
                        seconds > 0 ? tracks / seconds : 0.0);
  if (length <= 0) return;
  // Blanks what a longer earlier line left behind.
  size_t drawn = static_cast<size_t>(length);
  int blanks = drawnLength_ > drawn ? static_cast<int>(drawnLength_ - drawn) : 0;
  fprintf(stderr, "\r%s%*s", text, blanks, "");
  if (drawn > drawnLength_) drawnLength_ = drawn;
}

void Progress::clear() {
  if (!enabled_ || drawnLength_ == 0) return;
  fprintf(stderr, "\r%*s\r", static_cast<int>(drawnLength_), "");
  drawnLength_ = 0;
}
