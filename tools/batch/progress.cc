#include "tools/batch/progress.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds kRedrawInterval(250);

std::string duration(double seconds) {
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

std::string rows(long long count) {
  return std::to_string(count) + (count == 1 ? " row" : " rows");
}

}  // namespace

Progress::Progress(long long skipped, double startFraction)
    : enabled_(isatty(STDERR_FILENO) == 1),
      skipped_(skipped),
      startFraction_(startFraction),
      start_(Clock::now()),
      lastDrawn_(start_) {}

long long Progress::done() const {
  long long done = 0;
  for (long long count : counts_) done += count;
  return done;
}

double Progress::seconds() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

void Progress::update(double fraction) {
  if (!enabled_) return;
  Clock::time_point now = Clock::now();
  if (now - lastDrawn_ < kRedrawInterval) return;
  lastDrawn_ = now;
  const double elapsed = seconds();
  std::string text = rows(skipped_ + done()) + " done, " +
                     std::to_string(static_cast<long long>(done() / elapsed)) + " rows/s";
  if (fraction >= 0 && startFraction_ >= 0 && fraction > startFraction_) {
    double left = elapsed * (1 - fraction) / (fraction - startFraction_);
    text += ", about " + duration(left) + " left";
  }
  // Blanks what a longer earlier line left behind.
  int blanks = drawnLength_ > text.size() ? static_cast<int>(drawnLength_ - text.size()) : 0;
  fprintf(stderr, "\r%s%*s", text.c_str(), blanks, "");
  if (text.size() > drawnLength_) drawnLength_ = text.size();
}

void Progress::clear() {
  if (!enabled_ || drawnLength_ == 0) return;
  fprintf(stderr, "\r%*s\r", static_cast<int>(drawnLength_), "");
  drawnLength_ = 0;
}

std::string Progress::summary() const {
  const double elapsed = seconds();
  char timing[96];
  snprintf(timing, sizeof(timing), " in %.1f s, %.0f rows/s", elapsed,
           elapsed > 0 ? done() / elapsed : 0.0);
  std::string text = "ostrev-batch: " + rows(done()) + timing + ":";
  for (int status = 0; status < Answer::kStatusCount; ++status) {
    text += std::string(status == 0 ? " " : ", ") + std::to_string(counts_[status]) + " " +
            statusName(static_cast<Answer::Status>(status));
  }
  if (skipped_ > 0) text += " (and " + rows(skipped_) + " kept from before)";
  return text + "\n";
}
