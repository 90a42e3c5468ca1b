// RowText's tab-separated form: what LOAD DATA reads back must be the values themselves.
#include "tools/import/row_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EscapeCase {
  std::string value;
  std::string line;  // the row of the value and a NULL, as LOAD DATA reads it
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << testing::PrintToString(c.value); }

class RowTextTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(RowTextTest, EscapesWhatLoadDataWouldReadOtherwise) {
  RowText rows(RowText::kTabSeparated, nullptr);
  rows.text(GetParam().value);
  rows.null();
  rows.endRow();
  rows.number(7);
  rows.endRow();
  EXPECT_EQ(rows.data(), GetParam().line + "7\n");
  EXPECT_EQ(rows.rows(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RowTextTest,
    testing::Values(EscapeCase{"plain Bj\xC3\xB6rk", "plain Bj\xC3\xB6rk\t\\N\n"},
                    EscapeCase{"", "\t\\N\n"},
                    // The text \N is not NULL, a backslash is no escape.
                    EscapeCase{"\\N", "\\\\N\t\\N\n"},
                    EscapeCase{"a\\", "a\\\\\t\\N\n"},
                    EscapeCase{"tab\there\nline", "tab\\there\\nline\t\\N\n"},
                    EscapeCase{"cr\r", "cr\r\t\\N\n"}));

}  // namespace
