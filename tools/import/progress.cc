#include "tools/import/progress.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

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
  if (length > 0) draw(text, static_cast<size_t>(length));
}

void Progress::show(const char* text) {
  if (enabled_) draw(text, strlen(text));
}

void Progress::draw(const char* text, size_t length) {
  // Blanks what a longer earlier line left behind.
  int blanks = drawnLength_ > length ? static_cast<int>(drawnLength_ - length) : 0;
  fprintf(stderr, "\r%s%*s", text, blanks, "");
  if (length > drawnLength_) drawnLength_ = length;
}

void Progress::clear() {
  if (!enabled_ || drawnLength_ == 0) return;
  fprintf(stderr, "\r%*s\r", static_cast<int>(drawnLength_), "");
  drawnLength_ = 0;
}
