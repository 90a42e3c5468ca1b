// Collation keys against the server's own comparison: two names have equal keys exactly
// when the catalogue's collation finds them equal.
#include "resident/Collation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "support/TestCatalogue.h"

namespace {

std::string hex(const std::string& text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class CollationTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestConnection(connection_));
    std::string error;
    collation_ = Collation::ofColumn(handle(), "matchartists", "display_name", &error);
    ASSERT_NE(collation_, nullptr) << error;
  }
  MYSQL* handle() { return connection_.getMyHandle(); }

  bool serverFindsEqual(const std::string& a, const std::string& b) {
    return firstValue(handle(), "select _utf8mb4 X'" + hex(a) + "' = _utf8mb4 X'" + hex(b) +
                                    "' collate " + collation_->name()) == "1";
  }

  // Every pair of `names`, both ways round.
  void expectSameAsServer(const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
      for (size_t j = i; j < names.size(); ++j) {
        const bool server = serverFindsEqual(names[i], names[j]);
        EXPECT_EQ(collation_->key(names[i]) == collation_->key(names[j]), server)
            << "[" << names[i] << "] and [" << names[j] << "]: server says " << server;
      }
    }
  }

  Connection connection_;
  std::unique_ptr<Collation> collation_;
};

TEST_F(CollationTest, EqualWhereTheServerSaysSo) {
  expectSameAsServer({"Beyoncé", "BEYONCE", "beyonce", "Beyonce ", "Beyoncé  ", " Beyonce",
                      "Straße", "STRASSE", "strasse", "Bjork", "Björk", "BJÖRK", "Bjôrk",
                      "ﬁve", "five", "Ｆｉｖｅ", "Ǆ", "DŽ", "dž", "a\tb", "a b", "ab",
                      "a\u200bb", "😀", "😃", "🎵 song", "? song", "Ⅻ", "XII", "Æther",
                      "AEther", "ı", "i", "İ", "I", "", " ", "日本", "にほん", "ニホン",
                      "Ελλάδα", "ΕΛΛΆΔΑ", "Россия", "россия", "Ёлка", "Елка"});
}

// Short names drawn from letters that fold together in many ways.
TEST_F(CollationTest, EqualWhereTheServerSaysSoOnGeneratedNames) {
  const std::vector<std::string> letters = {"a", "A", "á", "À", "æ", "e", "é", "E", "ß", "s",
                                            "S", " ", "ø", "o", "Ö", "ı", "i", "I", "ﬀ", "f",
                                            "😀", "\t", "-", "'"};
  std::mt19937 random(7);
  std::vector<std::string> names;
  for (int i = 0; i < 60; ++i) {
    std::string name;
    const int length = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < length; ++k) name += letters[random() % letters.size()];
    names.push_back(name);
  }
  expectSameAsServer(names);
}

TEST_F(CollationTest, InvalidUtf8EqualsOnlyItself) {
  const std::string invalid = "a\xff" "b";
  EXPECT_EQ(collation_->key(invalid), collation_->key(invalid));
  for (const char* valid : {"ab", "a b", "a?b", "a\xef\xbf\xbd" "b", ""}) {
    EXPECT_NE(collation_->key(invalid), collation_->key(valid)) << valid;
  }
}

}  // namespace
