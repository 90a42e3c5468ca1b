#include "engine/Timer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "TextTrackLookup.h"

namespace {

_timer timerFrom(long startSec, long startUsec, long stopSec, long stopUsec) {
  _timer t;
  initTimer(&t, "t");
  t.start = {startSec, startUsec};
  t.stop = {stopSec, stopUsec};
  return t;
}

struct IntervalCase {
  long startSec, startUsec, stopSec, stopUsec;
  long sec, usec;
  unsigned int micros;
};

class TimerIntervalTest : public testing::TestWithParam<IntervalCase> {};

TEST_P(TimerIntervalTest, SubtractsWithBorrowAndWrapsAt32Bits) {
  const IntervalCase& c = GetParam();
  _timer t = timerFrom(c.startSec, c.startUsec, c.stopSec, c.stopUsec);
  timeval elapsed;
  getTimeVal(&t, &elapsed);
  EXPECT_EQ(elapsed.tv_sec, c.sec);
  EXPECT_EQ(elapsed.tv_usec, c.usec);
  EXPECT_EQ(getLastTime(&t), c.micros);
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, TimerIntervalTest,
    testing::Values(IntervalCase{10, 900000, 11, 100000, 0, 200000, 200000},
                    IntervalCase{10, 100000, 12, 300000, 2, 200000, 2200000},
                    IntervalCase{5, 0, 5, 0, 0, 0, 0},
                    IntervalCase{0, 999999, 1, 0, 0, 1, 1},
                    // 5000 s is 5e9 µs, past 2^32: the count wraps.
                    IntervalCase{0, 0, 5000, 0, 5000, 0, 705032704u}));

TEST(TimerTest, InitKeepsFifteenBytesOfTheName) {
  _timer t;
  initTimer(&t, "a name longer than fifteen bytes");
  EXPECT_STREQ(t.name, "a name longer t");
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(t.total, 0);
}

TEST(TimerTest, GetTimeStopsAndAccumulates) {
  _timer t;
  initTimer(&t, "acc");
  for (int i = 0; i < 3; ++i) {
    startTimer(&t);
    unsigned int elapsed = getTime(&t);
    EXPECT_EQ(elapsed, getLastTime(&t));
  }
  EXPECT_EQ(t.count, 3);
  EXPECT_GE(t.total, 0);
  EXPECT_GE(t.stop.tv_sec, t.start.tv_sec);
}

TEST(TimerTest, PrintTimerInfoFormat) {
  _timer t;
  initTimer(&t, "lookup");
  t.total = 3000000;
  t.count = 4;
  testing::internal::CaptureStdout();
  printTimerInfo(&t);
  fflush(stdout);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "TIMER: lookup \ttime: 3 \tcount: 4 \tavg: 0.75\n");
}

TEST(TimerTest, GotResultPrintsTimeLine) {
  _timer t;
  initTimer(&t, "r");
  startTimer(&t);
  testing::internal::CaptureStdout();
  gotResult(&t, "exact track", 100, 0);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_TRUE(std::regex_match(out, std::regex("TIME: exact track,[0-9.e-]+,100\n"))) << out;
}

TEST(TimerTest, GotResultIsQuietInSynonymModeButStillStops) {
  _timer t;
  initTimer(&t, "r");
  t.start = {1, 0};
  t.stop = {1, 0};
  testing::internal::CaptureStdout();
  gotResult(&t, "exact track", 87.5, OPT_SYNONYM | OPT_DEBUG);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_GT(t.stop.tv_sec, 1);
}

}  // namespace
