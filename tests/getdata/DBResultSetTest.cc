#include "getdata/DBResultSet.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "text/CombinedScore.h"

namespace {

std::string contents(const DBResultSet& set) {
  std::ostringstream text;
  for (int i = 0; i < set.num_records(); ++i) {
    text << (i > 0 ? " " : "") << set[i].name << ":" << set[i].score;
  }
  return text.str();
}

TEST(DBResultSetTest, FillsInOrderThenReplacesTheLowest) {
  DBResultSet set(3);
  EXPECT_TRUE(set.add_record(50, "a"));
  EXPECT_TRUE(set.add_record(60, "b"));
  EXPECT_TRUE(set.add_record(70, "c"));
  EXPECT_EQ(contents(set), "a:50 b:60 c:70");
  EXPECT_TRUE(set.add_record(55, "d"));
  EXPECT_EQ(contents(set), "d:55 b:60 c:70");
  EXPECT_FALSE(set.add_record(40, "e"));
  EXPECT_FALSE(set.add_record(55, "f"));  // must beat the lowest, not tie it
  EXPECT_EQ(contents(set), "d:55 b:60 c:70");
}

TEST(DBResultSetTest, KnownNameOnlyEverRises) {
  DBResultSet set(3);
  set.add_record(50, "a");
  set.add_record(60, "b");
  EXPECT_FALSE(set.add_record(50, "a"));
  EXPECT_FALSE(set.add_record(10, "a"));
  EXPECT_TRUE(set.add_record(65, "a"));
  EXPECT_EQ(contents(set), "a:65 b:60");
}

TEST(DBResultSetTest, FirstOfEqualLowestIsReplaced) {
  DBResultSet set(3);
  set.add_record(40, "a");
  set.add_record(70, "b");
  set.add_record(40, "c");
  EXPECT_TRUE(set.add_record(45, "d"));
  EXPECT_EQ(contents(set), "d:45 b:70 c:40");
}

TEST(DBResultSetTest, ClearForgetsEarlierNames) {
  DBResultSet set(2);
  set.add_record(90, "a");
  set.add_record(80, "b");
  set.clear();
  EXPECT_EQ(set.num_records(), 0);
  EXPECT_TRUE(set.add_record(10, "a"));
  EXPECT_EQ(contents(set), "a:10");
  dbresult_rec record;
  EXPECT_FALSE(set.get_record("b", &record));
}

TEST(DBResultSetTest, GetRecordAndCopiesAreIndependent) {
  DBResultSet set(5);
  set.add_record(42.5f, "x");
  DBResultSet copy = set;
  copy.add_record(99, "x");
  copy.add_record(1, "y");
  dbresult_rec record;
  ASSERT_TRUE(set.get_record("x", &record));
  EXPECT_EQ(record.name, "x");
  EXPECT_EQ(record.score, 42.5f);
  EXPECT_EQ(contents(set), "x:42.5");
  EXPECT_EQ(contents(copy), "x:99 y:1");
}

TEST(DBResultSetTest, LimitsOfZeroOrBelowStoreNothing) {
  for (int limit : {0, -5}) {
    SCOPED_TRACE(limit);
    DBResultSet set(limit);
    EXPECT_FALSE(set.add_record(100, "a"));
    EXPECT_EQ(set.num_records(), 0);
  }
}

TEST(DBResultSetTest, LimitAboveOneHundredEndsTheProcess) {
  DBResultSet largest(100);
  EXPECT_EQ(largest.capacity, 100);
  EXPECT_EXIT(DBResultSet(101), testing::ExitedWithCode(1),
              "^Error: DBResulstSet::DBResulstSet illegal value for numResultsToStore\n$");
}

TEST(DBResultSetTest, SubscriptOutsideTheEntriesEndsTheProcess) {
  DBResultSet set(3);
  set.add_record(1, "a");
  EXPECT_EQ(set[0].name, "a");
  for (int index : {-1, 1, 3}) {
    SCOPED_TRACE(index);
    EXPECT_EXIT(set[index], testing::ExitedWithCode(1),
                "^Error: DBResulstSet::\\[\\] illegal subscript value\n$");
  }
}

// A plain model of the same rules, for generated sequences of additions.
class ModelSet {
 public:
  explicit ModelSet(int capacity) : capacity_(capacity) {}
  bool add(float score, const std::string& name) {
    for (auto& entry : entries_) {
      if (entry.name == name) {
        if (!(score > entry.score)) return false;
        entry.score = score;
        return true;
      }
    }
    if (static_cast<int>(entries_.size()) < capacity_) {
      entries_.push_back({name, score});
      return true;
    }
    size_t lowest = 0;
    for (size_t i = 1; i < entries_.size(); ++i) {
      if (entries_[i].score < entries_[lowest].score) lowest = i;
    }
    if (entries_.empty() || !(score > entries_[lowest].score)) return false;
    entries_[lowest] = {name, score};
    return true;
  }
  std::string contents() const {
    std::ostringstream text;
    for (size_t i = 0; i < entries_.size(); ++i) {
      text << (i > 0 ? " " : "") << entries_[i].name << ":" << entries_[i].score;
    }
    return text.str();
  }

 private:
  int capacity_;
  std::vector<dbresult_rec> entries_;
};

TEST(DBResultSetTest, AgreesWithAPlainModelOnGeneratedAdditions) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    int capacity = static_cast<int>(random() % 12);
    DBResultSet set(capacity);
    ModelSet model(capacity);
    std::string trace = "capacity " + std::to_string(capacity);
    for (int i = 0; i < 60; ++i) {
      float score = static_cast<float>(random() % 20) * 5;
      std::string name(1, static_cast<char>('a' + random() % 15));
      trace += " | " + name + ":" + std::to_string(score);
      ASSERT_EQ(set.add_record(score, name), model.add(score, name)) << trace;
      ASSERT_EQ(contents(set), model.contents()) << trace;
    }
  }
}

struct CombinedCase {
  float first, second, third;
  float expected;
};

class CombinedScoreTest : public testing::TestWithParam<CombinedCase> {};

TEST_P(CombinedScoreTest, WeighsTheThreeScores) {
  const CombinedCase& c = GetParam();
  SCOPED_TRACE(testing::Message() << c.first << ", " << c.second << ", " << c.third);
  EXPECT_EQ(calculateCombinedScore(c.first, c.second, c.third), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scores, CombinedScoreTest,
    testing::Values(CombinedCase{100, 100, 100, 100}, CombinedCase{80, 80, 80, 76},
                    CombinedCase{90, 90, 90, 90}, CombinedCase{0, 0, 0, 0},
                    // 33.2 + 24.9 + 20.75 prints as 78.85; the float sums round
                    // half-way to even, one step above the float nearest 78.85.
                    CombinedCase{83, 83, 83, 78.85000610351562f},
                    CombinedCase{100, 0, 0, 40}, CombinedCase{0, 84, 0, 12.6000004f},
                    CombinedCase{0, 0, 84, 37.7999992f}));

}  // namespace
