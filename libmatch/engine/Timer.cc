#include "engine/Timer.h"

#include <cstdio>
#include <iostream>

#include "OptionFlags.h"

namespace {

double seconds(const timeval& tv) { return tv.tv_sec + tv.tv_usec / 1000000.0; }

}  // namespace

void initTimer(_timer* timer, const char* name) {
  snprintf(timer->name, sizeof(timer->name), "%s", name);
  timer->count = 0;
  timer->total = 0;
}

void startTimer(_timer* timer) { gettimeofday(&timer->start, nullptr); }

void stopTimer(_timer* timer) { gettimeofday(&timer->stop, nullptr); }

void getTimeVal(_timer* timer, timeval* out) {
  out->tv_sec = timer->stop.tv_sec - timer->start.tv_sec;
  out->tv_usec = timer->stop.tv_usec - timer->start.tv_usec;
  if (out->tv_usec < 0) {
    out->tv_sec -= 1;
    out->tv_usec += 1000000;
  }
}

unsigned int getLastTime(_timer* timer) {
  timeval elapsed;
  getTimeVal(timer, &elapsed);
  // Unsigned arithmetic: intervals beyond about 71 minutes wrap instead of overflowing.
  return static_cast<unsigned int>(static_cast<unsigned long long>(elapsed.tv_sec) * 1000000ULL +
                                   static_cast<unsigned long long>(elapsed.tv_usec));
}

unsigned int getTime(_timer* timer) {
  stopTimer(timer);
  unsigned int elapsed = getLastTime(timer);
  timer->total += elapsed;
  timer->count += 1;
  return elapsed;
}

void printTimerInfo(_timer* timer) {
  float total = static_cast<float>(timer->total);
  printf("TIMER: %s \ttime: %g \tcount: %d \tavg: %g\n", timer->name, total / 1000000,
         timer->count, (total / timer->count) / 1000000);
}

void gotResult(_timer* timer, std::string label, float score, int option_flags) {
  stopTimer(timer);
  timeval elapsed;
  getTimeVal(timer, &elapsed);
  if (option_flags & (OPT_SYNONYM | OPT_QUIET)) return;
  std::cout << "TIME: " << label << "," << seconds(elapsed) << "," << score << std::endl;
}
