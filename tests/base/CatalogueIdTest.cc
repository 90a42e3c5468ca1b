#include "base/CatalogueId.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct IdCase {
  std::string text;
  CatalogueIdNumber id;
};

void PrintTo(const IdCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class CatalogueIdTest : public testing::TestWithParam<IdCase> {};

TEST_P(CatalogueIdTest, ReadsOnlyWholePositiveNumbers) {
  EXPECT_EQ(catalogueId(GetParam().text), GetParam().id);
  if (GetParam().id != 0) {
    EXPECT_EQ(catalogueIdText(GetParam().id), GetParam().text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CatalogueIdTest,
    testing::Values(IdCase{"1", 1}, IdCase{"4294967295", 4294967295},
                    IdCase{"9223372036854775807", 9223372036854775807},
                    IdCase{"9223372036854775808", 0}, IdCase{"", 0}, IdCase{"0", 0},
                    IdCase{"-5", 0}, IdCase{" 7", 0}, IdCase{"7x", 0}));

}  // namespace
