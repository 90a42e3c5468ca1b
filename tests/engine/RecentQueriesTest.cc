// The recent-query cache: how it is bounded and how a new query values the cached answers.
// Similarities below are localAlignmentScore values; every cached query has non-empty texts
// (two empty texts score 0, not 100).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EngineFixture.h"
#include "support/TestNames.h"

namespace {

const char kUntouched[] = "untouched";

class RecentQueriesTest : public EngineTest {};

TEST_F(RecentQueriesTest, HoldsAtMost10001Entries) {
  auto engine = makeEngine();
  OCRData query = makeQuery("Tidewater", "Marlow Quay", "Harbour Lights");
  for (int i = 0; i < 10001; ++i) engine->addRecentQuery(query, 80, std::to_string(i));
  ASSERT_EQ(engine->recentQueries.size(), 10001u);
  EXPECT_EQ(engine->recentQueries.front().trackId, "0");

  engine->addRecentQuery(query, 80, "10001");
  ASSERT_EQ(engine->recentQueries.size(), 10001u);
  EXPECT_EQ(engine->recentQueries.front().trackId, "1");
  EXPECT_EQ(engine->recentQueries.back().trackId, "10001");
  EXPECT_EQ(engine->recentQueries.back().queryData.title, "Tidewater");
  EXPECT_FLOAT_EQ(engine->recentQueries.back().trackScore, 80);
}

TEST_F(RecentQueriesTest, EmptyCacheFindsNothing) {
  auto engine = makeEngine();
  std::string result = kUntouched;
  EXPECT_EQ(engine->findRecentQuery(makeQuery("Tidewater", "Marlow Quay", "Harbour Lights"),
                                    engine->comparer, &result),
            -1);
  EXPECT_EQ(result, kUntouched);
}

struct Cached {
  const char* title;
  const char* artist;
  const char* album;
  float score;
  const char* id;
};

struct RecentCase {
  const char* what;
  std::vector<Cached> cache;  // oldest first
  float value;
  const char* id;
};

class RecentValueTest : public EngineTest, public testing::WithParamInterface<RecentCase> {};

// Every case looks up Signal Boxes / Marlow Quay / Harbour Lights.
const RecentCase kRecentCases[] = {
    {"identical query", {{"Signal Boxes", "Marlow Quay", "Harbour Lights", 100, "1"}}, 100, "1"},
    // "Signal Bells" scores 75: similarity 0.4*75 + 15 + 45 = 90, and 80 * 90/100 = 72.
    {"confident entry scaled down",
     {{"Signal Bells", "Marlow Quay", "Harbour Lights", 80, "2"}},
     72,
     "2"},
    // Below 75 the score is divided by the similarity: "Sugar Bells" scores 50, similarity
    // 0.4*50 + 15 + 45 = 80, and 60 * 100/80 = 75.
    {"weak entry scaled up", {{"Sugar Bells", "Marlow Quay", "Harbour Lights", 60, "3"}}, 75, "3"},
    // Only the title in common: similarity 40, 60 * 100/40 = 150.
    {"weak entry above 100", {{"Signal Boxes", "Jjj", "Xyxyx", 60, "4"}}, 150, "4"},
    {"100 ends the search",
     {{"Signal Boxes", "Marlow Quay", "Harbour Lights", 100, "5"},
      {"Signal Boxes", "Jjj", "Xyxyx", 60, "6"}},
     100,
     "5"},
    {"greatest value wins",
     {{"Signal Bells", "Marlow Quay", "Harbour Lights", 80, "7"},
      {"Sugar Bells", "Marlow Quay", "Harbour Lights", 60, "8"}},
     75,
     "8"},
    {"ties keep the older",
     {{"Signal Bells", "Marlow Quay", "Harbour Lights", 80, "9"},
      {"Signal Bells", "Marlow Quay", "Harbour Lights", 80, "10"}},
     72,
     "9"},
    // Nothing in common and a weak score: skipped rather than divided by 0.
    {"nothing in common is skipped", {{"Zzzz", "Jjj", "Xyxyx", 50, "11"}}, -1, kUntouched},
    // Nothing in common and a confident score: value 0, still an answer.
    {"nothing in common but confident", {{"Zzzz", "Jjj", "Xyxyx", 90, "12"}}, 0, "12"},
};

TEST_P(RecentValueTest, ValuesTheCachedAnswers) {
  const RecentCase& c = GetParam();
  SCOPED_TRACE(c.what);
  auto engine = makeEngine();
  for (const Cached& entry : c.cache) {
    engine->addRecentQuery(makeQuery(entry.title, entry.artist, entry.album), entry.score,
                           entry.id);
  }
  std::string result = kUntouched;
  OCRData query = makeQuery("Signal Boxes", "Marlow Quay", "Harbour Lights");
  EXPECT_FLOAT_EQ(engine->findRecentQuery(query, engine->comparer, &result), c.value);
  EXPECT_EQ(result, c.id);
}

INSTANTIATE_TEST_SUITE_P(Entries, RecentValueTest, testing::ValuesIn(kRecentCases), NameByWhat());

TEST_F(RecentQueriesTest, RecentTrackIsConfidentAboveTheThreshold) {
  auto engine = makeEngine();
  OCRData query = makeQuery("Signal Boxes", "Marlow Quay", "Harbour Lights");
  std::string result;
  float score = 0;
  engine->addRecentQuery(makeQuery("Signal Bells", "Marlow Quay", "Harbour Lights"), 80, "2");
  EXPECT_FALSE(engine->findRecentTrack(query, &result, &score));
  EXPECT_FLOAT_EQ(score, 72);
  EXPECT_EQ(result, "2");

  engine->addRecentQuery(query, 100, "1");
  EXPECT_TRUE(engine->findRecentTrack(query, &result, &score));
  EXPECT_FLOAT_EQ(score, 100);
  EXPECT_EQ(result, "1");
}

// The cascade fills the cache that a later, slightly different query is answered from.
TEST_F(RecentQueriesTest, CascadeAnswersAreFoundAgain) {
  auto engine = makeEngine();
  std::string result;
  ASSERT_EQ(cascade(*engine, makeQuery("Tidewater", "Marlow Quay", "Harbour Lights"), &result),
            100);
  result.clear();
  float score = 0;
  // "Tidewatr" scores 88: similarity 0.4*88 + 15 + 45 = 95.2.
  EXPECT_TRUE(engine->findRecentTrack(makeQuery("Tidewatr", "Marlow Quay", "Harbour Lights"),
                                      &result, &score));
  EXPECT_FLOAT_EQ(score, 95.2f);
  EXPECT_EQ(result, "1001");
}

}  // namespace
