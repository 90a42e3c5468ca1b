#include "tools/progress.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds kRedrawInterval(250);

}  // namespace

ProgressLine::ProgressLine()
    : enabled_(isatty(STDERR_FILENO) == 1), start_(Clock::now()), lastDrawn_(start_) {}

bool ProgressLine::due() {
  if (!enabled_) return false;
  const Clock::time_point now = Clock::now();
  if (now - lastDrawn_ < kRedrawInterval) return false;
  lastDrawn_ = now;
  return true;
}

void ProgressLine::show(const std::string& text) {
  if (!enabled_) return;
  // Blanks what a longer earlier line left behind.
  int blanks = drawnLength_ > text.size() ? static_cast<int>(drawnLength_ - text.size()) : 0;
  fprintf(stderr, "\r%s%*s", text.c_str(), blanks, "");
  if (text.size() > drawnLength_) drawnLength_ = text.size();
}

void ProgressLine::clear() {
  if (!enabled_ || drawnLength_ == 0) return;
  fprintf(stderr, "\r%*s\r", static_cast<int>(drawnLength_), "");
  drawnLength_ = 0;
}

double ProgressLine::seconds() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

std::string durationText(double seconds) {
  char text[32];
  long long whole = static_cast<long long>(seconds + 0.5);
  if (whole >= 3600) {
    snprintf(text, sizeof(text), "%lld h %02lld min", whole / 3600, whole / 60 % 60);
  } else if (whole >= 60) {
    snprintf(text, sizeof(text), "%lld min %02lld s", whole / 60, whole % 60);
  } else {
    snprintf(text, sizeof(text), "%lld s", whole);
  }
  return text;
}
