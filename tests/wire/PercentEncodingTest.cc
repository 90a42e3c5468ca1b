#include "wire/percent_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeCase {
  std::string text;
  bool valid;
  std::string decoded;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class PercentEncodingTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(PercentEncodingTest, Decodes) {
  std::string decoded;
  EXPECT_EQ(percentDecoded(GetParam().text, &decoded), GetParam().valid);
  if (GetParam().valid) {
    EXPECT_EQ(decoded, GetParam().decoded);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, PercentEncodingTest,
                         testing::Values(DecodeCase{"Come+Together", true, "Come Together"},
                                         DecodeCase{"J%C3%B3ga", true, "J\xc3\xb3ga"},
                                         DecodeCase{"%2b%2B", true, "++"},
                                         DecodeCase{"%00", true, std::string(1, '\0')},
                                         DecodeCase{"", true, ""},
                                         DecodeCase{"%4", false, ""},
                                         DecodeCase{"50%", false, ""},
                                         DecodeCase{"%G1", false, ""}));

TEST(PercentEncodingRoundTripTest, EveryByteComesBack) {
  std::string bytes;
  for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
  const std::string encoded = percentEncoded(bytes);
  EXPECT_EQ(encoded.find_first_not_of(
                "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%"),
            std::string::npos);
  std::string decoded;
  ASSERT_TRUE(percentDecoded(encoded, &decoded));
  EXPECT_EQ(decoded, bytes);
}

}  // namespace
