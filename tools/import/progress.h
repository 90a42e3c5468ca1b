// Progress: the line on a terminal that shows how far an import has come, redrawn in
// place with '\r'. Silent unless standard error is a terminal, so logs and pipes get only
// the messages. Owned by main; one thread.
#ifndef OSTREV_TOOLS_IMPORT_PROGRESS_H_
#define OSTREV_TOOLS_IMPORT_PROGRESS_H_

#include <chrono>
#include <cstddef>

class Progress {
 public:
  Progress();

  // Redraws the line, at most a few times a second however often it is called.
  void update(long long lines, long long tracks);

  // Shows `text` at once in place of the counts, for a step that reads no lines.
  void show(const char* text);

  // Blanks the line, so that a message or the end of the program starts clean.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;

  void draw(const char* text, size_t length);

  bool enabled_;
  Clock::time_point start_;
  Clock::time_point lastDrawn_;
  size_t drawnLength_ = 0;
};

#endif  // OSTREV_TOOLS_IMPORT_PROGRESS_H_
