// _timer: a wall-clock stopwatch that also accumulates measurements, with the free
// functions that start, stop, read and report it. Plain values owned by whoever measures;
// no shared state.
#ifndef OSTREV_LIBMATCH_ENGINE_TIMER_H_
#define OSTREV_LIBMATCH_ENGINE_TIMER_H_

#include <sys/time.h>

#include <string>

struct _timer {
  timeval start;
  timeval stop;
  int count;     // measurements accumulated by getTime
  double total;  // their sum, in microseconds
  char name[16];
};

// Keeps at most 15 bytes of `name`.
void initTimer(_timer* timer, const char* name);
void startTimer(_timer* timer);
void stopTimer(_timer* timer);

// Stop time minus start time, microseconds kept in 0..999999.
void getTimeVal(_timer* timer, timeval* out);

// The last interval in microseconds, wrapped to 32 bits.
unsigned int getLastTime(_timer* timer);

// Stops the timer, adds the interval to the totals and returns it.
unsigned int getTime(_timer* timer);

// "TIMER: " line with the accumulated seconds, the count and the average.
void printTimerInfo(_timer* timer);

// Stops the timer and prints "TIME: label,seconds,score" unless the option word asks for
// quiet (synonym) mode.
void gotResult(_timer* timer, std::string label, float score, int option_flags);

#endif  // OSTREV_LIBMATCH_ENGINE_TIMER_H_
