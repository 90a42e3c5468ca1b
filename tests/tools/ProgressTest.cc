// The tools' progress line: the times it shows, and its silence off a terminal.
#include "tools/progress.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace {

struct DurationCase {
  double seconds;
  const char* text;
};

void PrintTo(const DurationCase& c, std::ostream* os) { *os << c.seconds << " s"; }

class ProgressTest : public testing::TestWithParam<DurationCase> {};

TEST_P(ProgressTest, ShowsATimeLeftRoundedToTheSecond) {
  EXPECT_EQ(durationText(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Times, ProgressTest,
                         testing::Values(DurationCase{0, "0 s"}, DurationCase{59.4, "59 s"},
                                         DurationCase{59.5, "1 min 00 s"},
                                         DurationCase{187, "3 min 07 s"},
                                         DurationCase{3599.6, "1 h 00 min"},
                                         DurationCase{7500, "2 h 05 min"}));

TEST(ProgressLineTest, DrawsNothingOffATerminal) {
  if (isatty(STDERR_FILENO) == 1) GTEST_SKIP() << "standard error is a terminal";
  ProgressLine line;
  usleep(300 * 1000);  // past the redraw interval
  EXPECT_FALSE(line.due());
  testing::internal::CaptureStderr();
  line.show("1 row done");
  line.clear();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
