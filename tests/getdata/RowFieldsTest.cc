// Reading result fields: SQL NULL as a null pointer, numbers as text of any shape.
#include "getdata/RowFields.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/TestNames.h"

namespace {

TEST(RowFieldsTest, NullTextIsEmptyAndCopiesNothing) {
  EXPECT_EQ("", fieldText(nullptr));
  EXPECT_EQ("Tide", fieldText("Tide"));
  std::string out = "kept";
  copyIfPresent(nullptr, &out);
  EXPECT_EQ("kept", out);
  copyIfPresent("", &out);
  EXPECT_EQ("", out);
}

struct NumberCase {
  const char* what;
  const char* field;
  int number;
};

class FieldNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(FieldNumberTest, ReadsTruncatesAndSaturates) {
  const NumberCase& c = GetParam();
  SCOPED_TRACE(std::string(c.what) + ": " + (c.field != nullptr ? c.field : "NULL"));
  EXPECT_EQ(c.number, fieldNumber(c.field));
}

const NumberCase kNumberCases[] = {
    {"NULL", nullptr, 0},
    {"empty", "", 0},
    {"not a number", "abc", 0},
    {"nan", "nan", 0},
    {"whole", "301", 301},
    {"negative", "-17", -17},
    {"fraction truncated", "12.9", 12},
    {"negative fraction truncated", "-12.9", -12},
    {"trailing text", "7 tracks", 7},
    {"largest int", "2147483647", INT_MAX},
    {"smallest int", "-2147483648", INT_MIN},
    {"above int", "3000000000", INT_MAX},
    {"below int", "-3000000000", INT_MIN},
    {"exponent", "1e300", INT_MAX},
    {"infinity", "inf", INT_MAX},
    {"negative infinity", "-inf", INT_MIN},
};

INSTANTIATE_TEST_SUITE_P(Fields, FieldNumberTest, testing::ValuesIn(kNumberCases), NameByWhat());

}  // namespace
