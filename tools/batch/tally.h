// Tally: the rows a batch run has written, by status, and how they show: the text of the
// progress line and the summary at the end. Owned by the run; one thread.
#ifndef OSTREV_TOOLS_BATCH_TALLY_H_
#define OSTREV_TOOLS_BATCH_TALLY_H_

#include <string>

#include "tools/batch/answer.h"

class Tally {
 public:
  // `skipped`: rows a resumed run kept from before; `startFraction`: the share of the input
  // read before this run's first row (-1 when the input's size is unknown).
  Tally(long long skipped, double startFraction)
      : skipped_(skipped), startFraction_(startFraction) {}

  void count(Answer::Status status) { ++counts_[status]; }

  // "1200 rows done, 480 rows/s, about 2 min 05 s left" after `seconds`, with `fraction`
  // of the input read (-1: unknown, and no time left shown).
  std::string progress(double seconds, double fraction) const;

  // "ostrev-batch: 1000 rows in 2.1 s, 476 rows/s: 900 confident, ...", with the rows kept
  // from before when resumed; ended by a newline.
  std::string summary(double seconds) const;

 private:
  long long done() const;

  const long long skipped_;
  const double startFraction_;
  long long counts_[Answer::kStatusCount] = {};
};

#endif  // OSTREV_TOOLS_BATCH_TALLY_H_
