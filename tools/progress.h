// ProgressLine: the line on a terminal showing how far a tool's long run has come, redrawn
// in place with '\r' a few times a second at most; silent unless standard error is a
// terminal, so logs and pipes get only the messages. Owned by the tool's main thread.
#ifndef OSTREV_TOOLS_PROGRESS_H_
#define OSTREV_TOOLS_PROGRESS_H_

#include <chrono>
#include <cstddef>
#include <string>

class ProgressLine {
 public:
  ProgressLine();

  // Whether a redraw is due: the line is drawn and the last redraw is long enough ago.
  // Then the caller makes its text and show()s it.
  bool due();

  // Draws `text` in place of the line at once.
  void show(const std::string& text);

  // Blanks the line, so that a message or the end of the program starts clean.
  void clear();

  // Since the line was made.
  double seconds() const;

 private:
  using Clock = std::chrono::steady_clock;

  const bool enabled_;
  const Clock::time_point start_;
  Clock::time_point lastDrawn_;
  size_t drawnLength_ = 0;
};

// "42 s", "3 min 07 s", "2 h 05 min": a time left, rounded to the second.
std::string durationText(double seconds);

#endif  // OSTREV_TOOLS_PROGRESS_H_
