#include "tools/import/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct ReaderCase {
  std::string name;
  std::string input;
  size_t maxLineBytes;
  // What successive next() calls give, up to the end: "<line number>:<text>" for a line,
  // "<line number>:too long" for a skipped one.
  std::vector<std::string> expected;
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
  *os << testing::PrintToString(c.input.size() > 60 ? c.input.substr(0, 60) + "..." : c.input)
      << " limit " << c.maxLineBytes;
}

class LineReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(LineReaderTest, SplitsIntoBoundedLines) {
  const ReaderCase& c = GetParam();
  std::string input = c.input;
  // fmemopen cannot open an empty buffer for reading everywhere; an empty file can.
  FILE* file = input.empty() ? tmpfile() : fmemopen(&input[0], input.size(), "r");
  ASSERT_NE(file, nullptr);
  LineReader reader(file, c.maxLineBytes);
  std::vector<std::string> got;
  std::string line;
  for (LineReader::Status status; (status = reader.next(&line)) != LineReader::kEnd;) {
    ASSERT_NE(status, LineReader::kError);
    got.push_back(std::to_string(reader.lineNumber()) + ":" +
                  (status == LineReader::kTooLong ? "too long" : line));
  }
  fclose(file);
  EXPECT_EQ(got, c.expected);
}

const std::string kBig(100000, 'x');  // longer than the reader's buffer

INSTANTIATE_TEST_SUITE_P(
    Inputs, LineReaderTest,
    testing::Values(
        ReaderCase{"Empty", "", 10, {}}, ReaderCase{"TwoLines", "a\nbc\n", 10, {"1:a", "2:bc"}},
        ReaderCase{"LastLineUnterminated", "a\nbc", 10, {"1:a", "2:bc"}},
        ReaderCase{"NulBytesKept", std::string("a\0b\n", 4), 10, {std::string("1:a\0b", 5)}},
        ReaderCase{"ExactlyTheLimit", "abcd\nabcde\nz\n", 4, {"1:abcd", "2:too long", "3:z"}},
        ReaderCase{"AcrossBuffers", kBig + "\nz\n", kBig.size(), {"1:" + kBig, "2:z"}},
        ReaderCase{"SkippedAcrossBuffers",
                   "a\n" + kBig + kBig + "\nz",
                   kBig.size(),
                   {"1:a", "2:too long", "3:z"}}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return info.param.name; });

}  // namespace
