#include "tools/batch/tally.h"

#include <cstdio>

#include "tools/progress.h"

namespace {

std::string rows(long long count) {
  return std::to_string(count) + (count == 1 ? " row" : " rows");
}

}  // namespace

long long Tally::done() const {
  long long done = 0;
  for (long long count : counts_) done += count;
  return done;
}

std::string Tally::progress(double seconds, double fraction) const {
  std::string text = rows(skipped_ + done()) + " done, " +
                     std::to_string(static_cast<long long>(done() / seconds)) + " rows/s";
  if (fraction >= 0 && startFraction_ >= 0 && fraction > startFraction_) {
    text += ", about " + durationText(seconds * (1 - fraction) / (fraction - startFraction_)) +
            " left";
  }
  return text;
}

std::string Tally::summary(double seconds) const {
  char timing[96];
  snprintf(timing, sizeof(timing), " in %.1f s, %.0f rows/s", seconds,
           seconds > 0 ? done() / seconds : 0.0);
  std::string text = "ostrev-batch: " + rows(done()) + timing + ":";
  for (int status = 0; status < Answer::kStatusCount; ++status) {
    text += std::string(status == 0 ? " " : ", ") + std::to_string(counts_[status]) + " " +
            statusName(static_cast<Answer::Status>(status));
  }
  if (skipped_ > 0) text += " (and " + rows(skipped_) + " kept from before)";
  return text + "\n";
}
