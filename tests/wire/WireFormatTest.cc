#include "wire/wire_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

template <typename T>
T valueAt(const lookup_result& r, size_t offset) {
  T value;
  memcpy(&value, reinterpret_cast<const char*>(&r) + offset, sizeof(T));
  return value;
}

std::string textAt(const lookup_result& r, size_t offset, size_t length) {
  return std::string(reinterpret_cast<const char*>(&r) + offset, length);
}

TEST(WireFormatTest, ResultFieldsSitAtTheirOffsets) {
  lookup_result r;
  memset(&r, 0xAB, sizeof(r));
  r.track_id = 12;
  setResultName(r.track_name, "T1");
  r.artist_id = -7;
  setResultName(r.artist_name, "B");
  r.album_id = 3;
  setResultName(r.album_name, "A");
  r.match_score = 87.5f;
  r.album_score = 100.0f;

  EXPECT_EQ(valueAt<int32_t>(r, 0), 12);
  EXPECT_EQ(textAt(r, 4, 200), "T1" + std::string(198, '\0'));
  EXPECT_EQ(valueAt<int32_t>(r, 204), -7);
  EXPECT_EQ(textAt(r, 208, 200), "B" + std::string(199, '\0'));
  EXPECT_EQ(valueAt<int32_t>(r, 408), 3);
  EXPECT_EQ(textAt(r, 412, 200), "A" + std::string(199, '\0'));
  // IEEE 754 single precision, host (little-endian) order: 87.5 is 0x42AF0000.
  EXPECT_EQ(textAt(r, 612, 4), std::string("\x00\x00\xaf\x42", 4));
  EXPECT_EQ(valueAt<float>(r, 616), 100.0f);
}

TEST(WireFormatTest, LongNamesKeep199BytesAndATerminator) {
  lookup_result r;
  setResultName(r.track_name, std::string(250, 'n'));
  EXPECT_EQ(textAt(r, 4, 199), std::string(199, 'n'));
  EXPECT_EQ(textAt(r, 203, 1), std::string(1, '\0'));
  setResultName(r.track_name, std::string(200, 'm'));
  EXPECT_EQ(r.track_name[199], '\0');
  EXPECT_EQ(r.track_name[198], 'm');
}

TEST(WireFormatTest, QueryFieldsAreCutAndPadded) {
  lookup_query q;
  memset(&q, 0xAB, sizeof(q));
  setQueryField(q.artist, sizeof(q.artist), std::string(300, 'a'));
  setQueryField(q.album, sizeof(q.album), "short");
  EXPECT_EQ(fieldText(q.artist, sizeof(q.artist)), std::string(199, 'a'));
  EXPECT_EQ(fieldText(q.album, sizeof(q.album)), "short");
  EXPECT_EQ(std::string(q.album + 5, 195), std::string(195, '\0'));
  EXPECT_EQ(reinterpret_cast<char*>(&q.track) - reinterpret_cast<char*>(&q), 420);
  EXPECT_EQ(reinterpret_cast<char*>(&q.upc) - reinterpret_cast<char*>(&q), 820);
}

TEST(WireFormatTest, FieldWithoutTerminatorEndsAtItsWidth) {
  char field[8];
  memcpy(field, "abcdefgh", 8);
  EXPECT_EQ(fieldText(field, sizeof(field)), "abcdefgh");
  field[3] = '\0';
  EXPECT_EQ(fieldText(field, sizeof(field)), "abc");
}

struct IdCase {
  std::string text;
  int32_t id;
};

class WireIdTest : public testing::TestWithParam<IdCase> {};

TEST_P(WireIdTest, ConvertsDecimalText) {
  SCOPED_TRACE("text: '" + GetParam().text + "'");
  EXPECT_EQ(wireId(GetParam().text), GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WireIdTest,
    testing::Values(IdCase{"12", 12}, IdCase{"", 0}, IdCase{"abc", 0}, IdCase{"12abc", 12},
                    IdCase{" 7", 7}, IdCase{"-5", -5}, IdCase{"+9", 9},
                    IdCase{"2147483647", 2147483647}, IdCase{"4294967297", 1},
                    IdCase{"99999999999999999999999", -159383553},
                    IdCase{"-2147483649", 2147483647}));

struct LengthCase {
  std::string digits;  // the six length bytes
  long length;
};

class VariableLengthTest : public testing::TestWithParam<LengthCase> {};

TEST_P(VariableLengthTest, ReadsDigitsUpToTheFirstOther) {
  std::string header = std::string("variable", 9) + GetParam().digits;
  ASSERT_EQ(header.size(), kVariableHeaderSize);
  SCOPED_TRACE("digits: '" + GetParam().digits + "'");
  EXPECT_EQ(variableLength(header.data()), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(Headers, VariableLengthTest,
                         testing::Values(LengthCase{"000040", 40}, LengthCase{"999999", 999999},
                                         LengthCase{std::string("40\0\0\0\0", 6), 40},
                                         LengthCase{"4a0000", 4}, LengthCase{"abcdef", -1},
                                         LengthCase{" 00040", -1}, LengthCase{"-00040", -1}));

}  // namespace
