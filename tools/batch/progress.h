// Progress: the line on a terminal that shows how far a batch has come (rows done, rate,
// time left), redrawn in place with '\r' at most a few times a second, and the summary at
// the end. The line is drawn only when standard error is a terminal. Owned by main; one
// thread.
#ifndef OSTREV_TOOLS_BATCH_PROGRESS_H_
#define OSTREV_TOOLS_BATCH_PROGRESS_H_

#include <chrono>
#include <string>

#include "tools/batch/answer.h"

class Progress {
 public:
  // `skipped`: rows a resumed run kept from before; `startFraction`: the share of the input
  // read before this run's first row (-1 when the input's size is unknown).
  Progress(long long skipped, double startFraction);

  // Counts a row written.
  void count(Answer::Status status) { ++counts_[status]; }

  // Redraws the line if it is time; `fraction`: the share of the input read, or -1.
  void update(double fraction);

  // Blanks the line, so that a message starts clean.
  void clear();

  // "ostrev-batch: 1000 rows in 2.1 s, 476 rows/s: 900 confident, ...", with the rows kept
  // from before when resumed.
  std::string summary() const;

 private:
  using Clock = std::chrono::steady_clock;

  long long done() const;
  double seconds() const;

  const bool enabled_;
  const long long skipped_;
  const double startFraction_;
  const Clock::time_point start_;
  Clock::time_point lastDrawn_;
  size_t drawnLength_ = 0;
  long long counts_[Answer::kStatusCount] = {};
};

#endif  // OSTREV_TOOLS_BATCH_PROGRESS_H_
