// The text cascade and its strategies against the engine catalogue, and the selection step
// they all end in. Expected scores come from the fixture names; where one is derived, the
// comment shows how (similarities are FuzzyTextCompare::localAlignmentScore values).
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "engine/EngineFixture.h"
#include "support/TestNames.h"

namespace {

const char kUntouched[] = "untouched";

struct CascadeCase {
  const char* what;
  const char* title;
  const char* artist;
  const char* album;
  const char* upc;
  float score;
  const char* id;  // kUntouched when the result must stay as it was
};

class CascadeTest : public EngineTest, public testing::WithParamInterface<CascadeCase> {};

// Each case aims at one step of the cascade. Combined scores weigh an album above 83 by
// 0.15 (else 0.3) and an artist above 83 by 0.45 (else 0.25).
const CascadeCase kCascadeCases[] = {
    {"exact track", "Tidewater", "Marlow Quay", "Harbour Lights", "", 100, "1001"},
    // Named through the album artist; its own artist Marlow Quay Trio scores 82.
    {"exact track by album artist", "Breakwater", "Marlow Quay", "Harbour Lights", "", 100, "1004"},
    // Three exact rows: the highest id comes first and wins at 100.
    {"exact track highest id", "Lantern", "Harriet Vance", "Lantern Songs", "", 100, "1300"},
    // Title 88: 0.4*88 + 0.15*100 + 0.45*100 = 95.2, boosted by 7% of the rest: 95.536.
    {"exact artist", "Tidewatr", "Marlow Quay", "Harbour Lights", "", 95.536f, "1001"},
    {"exact artist in normalized form", "Last Tram", "The Velvet Hours", "Night Trains", "", 100,
     "1008"},
    // Title 87 on three albums of one name: 94.8 boosted to 95.164 each; "1200" is the
    // byte-wise smallest of 300, 1200 and 1300.
    {"equal top scores", "Lanterns", "Harriet Vance", "Lantern Songs", "", 95.164f, "1200"},
    // Title 90, artist 90: 36 + 15 + 40.5 = 91.5, boosted to 92.095.
    {"exact album by name", "Lamplightr", "Marlo Quay", "Harbour Lights", "", 92.095f, "1002"},
    // "Harbor Lites" scores 71 against the UPC's album name: the same tracks as by name.
    {"exact album by UPC", "Lamplightr", "Marlo Quay", "Harbor Lites", "700000000017", 92.095f,
     "1002"},
    {"no UPC no album", "Lamplightr", "Marlo Quay", "Harbor Lites", "", 10, kUntouched},
    // Combined score of title 100, album 92, artist 90: 40 + 13.8 + 40.5.
    {"track by name", "Saltmarsh", "Marlo Quay", "Quiet Harbor", "", 94.3f, "1005"},
    // A placeholder artist counts nothing: 0.6*100 + 0.2*92.
    {"placeholder artist", "Saltmarsh", "Unknown", "Quiet Harbor", "", 78.4f, "1005"},
    // Album 76, artist 82: 40 + 22.8 + 20.5.
    {"name of 500 tracks", "Outro", "Harriet V", "Odds & Ends", "", 83.3f, "1502"},
    {"name of 501 tracks", "Intro", "Harriet V", "Odds & Ends", "", 10, kUntouched},
    {"nothing", "Wwwww", "Qqq", "Xyxyx", "", 10, kUntouched},
};

TEST_P(CascadeTest, ScoreResultAndCache) {
  const CascadeCase& c = GetParam();
  SCOPED_TRACE(std::string(c.title) + " / " + c.artist + " / " + c.album + " / " + c.upc);
  auto engine = makeEngine();
  OCRData query = makeQuery(c.title, c.artist, c.album);
  query.upc = c.upc;
  std::string result = kUntouched;
  EXPECT_FLOAT_EQ(cascade(*engine, query, &result), c.score);
  EXPECT_EQ(result, c.id);
  // Only a confident answer is remembered, once, with its score.
  if (c.score >= 75) {
    ASSERT_EQ(engine->recentQueries.size(), 1u);
    EXPECT_EQ(engine->recentQueries.back().trackId, c.id);
    EXPECT_FLOAT_EQ(engine->recentQueries.back().trackScore, c.score);
  } else {
    EXPECT_TRUE(engine->recentQueries.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Strategies, CascadeTest, testing::ValuesIn(kCascadeCases), NameByWhat());

class CascadeModesTest : public EngineTest {};

TEST_F(CascadeModesTest, NormalizedArtistReplacesTheQueryArtist) {
  auto engine = makeEngine();
  std::string result;
  float score = 0;
  OCRData query = makeQuery("Last Tram", "The Velvet Hours", "Night Trains");
  ASSERT_TRUE(engine->findExactArtist(query, &result, &score));
  ASSERT_EQ(engine->recentQueries.size(), 1u);
  EXPECT_EQ(engine->recentQueries.back().queryData.artist, "velvet hours");
}

TEST_F(CascadeModesTest, PlaceholderIsNoExactArtistEvenNormalized) {
  auto engine = makeEngine();
  std::string result = kUntouched;
  float score = -5;
  // normalize() gives "unknown", the normalized name of the placeholder artist.
  EXPECT_FALSE(engine->findExactArtist(makeQuery("Tidewater", "The Unknown", "Harbour Lights"),
                                       &result, &score));
  EXPECT_EQ(score, -5);
  EXPECT_EQ(result, kUntouched);
}

TEST_F(CascadeModesTest, UpcAlbumNeedsSimilarity70) {
  auto engine = makeEngine();
  // "Colt Stare" scores 70 and "Cold Sweater" 69 against Cold Shore; neither is an album.
  OCRData query = makeQuery("Frost Line", "Harriet Vance", "Colt Stare");
  query.upc = "700000000048";
  std::string result = kUntouched;
  float score = -5;
  EXPECT_TRUE(engine->findExactAlbum(query, &result, &score));
  EXPECT_EQ(result, "1601");
  EXPECT_FLOAT_EQ(score, 100);

  query.album = "Cold Sweater";
  result = kUntouched;
  score = -5;
  EXPECT_FALSE(engine->findExactAlbum(query, &result, &score));
  EXPECT_EQ(result, kUntouched);
  EXPECT_EQ(score, -5);
}

// An album reached through its UPC offers its artists like the same album reached by
// name, though the typed album text ("Harbor Lites") names no album.
TEST_F(CascadeModesTest, UpcAlbumOffersItsArtistsLikeTheNamedAlbum) {
  auto engine = makeEngine();
  std::string result;
  float score = 0;
  // By name: Marlow Quay (90) is offered, so his Ember Road on Quiet Harbour is found.
  OCRData query = makeQuery("Ember Road", "Marlo Quay", "Harbour Lights");
  EXPECT_TRUE(engine->findExactAlbum(query, &result, &score));
  EXPECT_EQ(result, "1006");

  query.album = "Harbor Lites";
  query.upc = "700000000017";
  result.clear();
  EXPECT_TRUE(engine->findExactAlbum(query, &result, &score)) << "score " << score;
  EXPECT_EQ(result, "1006");
}

TEST_F(CascadeModesTest, ExactTextIsAllOrNothing) {
  auto engine = makeEngine();
  std::string result;
  EXPECT_EQ(engine->findTrackByExactText(makeQuery("Tidewater", "Marlow Quay", "Harbour Lights"),
                                         &result),
            100);
  EXPECT_EQ(result, "1001");
  // Found through the album artist, but its own artist Harriet Vance scores below 70.
  EXPECT_EQ(engine->findTrackByExactText(makeQuery("Gull Song", "Marlow Quay", "Harbour Lights"),
                                         &result),
            0);
}

TEST_F(CascadeModesTest, MetricsReportEachStep) {
  auto engine = makeEngine(OPT_METRICS);
  std::string result;
  const std::string secs = "[0-9.e-]+";
  std::string printed = printedBy([&] {
    engine->findTrackByText(makeQuery("Tidewatr", "Marlow Quay", "Harbour Lights"), &result);
  });
  EXPECT_TRUE(std::regex_match(printed, std::regex("TIME: exact track NOT FOUND," + secs +
                                                   ",0\n"
                                                   "TIME: exact artist FOUND," +
                                                   secs +
                                                   ",95.536\n"
                                                   "TIME: exact artist," +
                                                   secs + ",95.536\n")))
      << printed;

  printed =
      printedBy([&] { engine->findTrackByText(makeQuery("Wwwww", "Qqq", "Xyxyx"), &result); });
  EXPECT_TRUE(std::regex_match(printed, std::regex("TIME: exact track NOT FOUND," + secs +
                                                   ",0\n"
                                                   "TIME: exact artist NOT FOUND," +
                                                   secs +
                                                   ",0\n"
                                                   "TIME: exact album NOT FOUND," +
                                                   secs +
                                                   ",0\n"
                                                   "TIME: track by name NOT FOUND," +
                                                   secs +
                                                   ",0\n"
                                                   "TIME: failed," +
                                                   secs + ",10\n")))
      << printed;
}

TEST_F(CascadeModesTest, SynonymModeRunsEveryStepAndKeepsTheLastScore) {
  auto engine = makeEngine(OPT_SYNONYM);
  std::string result;
  // Exact artist and exact album are confident about 1001; no track is named "Tidewatr".
  EXPECT_EQ(cascade(*engine, makeQuery("Tidewatr", "Marlow Quay", "Harbour Lights"), &result), 10);
  EXPECT_EQ(result, "1001");
  EXPECT_EQ(engine->recentQueries.size(), 2u);

  // No exact-track step: the three other steps each remember 1001.
  engine->recentQueries.clear();
  EXPECT_EQ(cascade(*engine, makeQuery("Tidewater", "Marlow Quay", "Harbour Lights"), &result),
            100);
  EXPECT_EQ(result, "1001");
  EXPECT_EQ(engine->recentQueries.size(), 3u);
}

// The selection step on a pre-filled track set (empty artist and album sets add nothing).
struct SelectionCase {
  const char* what;
  std::vector<std::pair<const char*, float>> tracks;
  bool confident;
  float score;
  const char* id;
};

class SelectionTest : public EngineTest, public testing::WithParamInterface<SelectionCase> {};

const SelectionCase kSelectionCases[] = {
    {"just below high confidence", {{"1001", 74.9f}}, false, 74.9f, "1001"},
    {"at high confidence", {{"1001", 75}}, true, 75, "1001"},
    {"highest score wins", {{"5", 60}, {"7", 90}, {"6", 89.9f}}, true, 90, "7"},
    {"ties go to the byte-wise smallest id", {{"20", 80}, {"100", 80}, {"3", 80}}, true, 80, "100"},
    {"empty set", {}, false, 10, kUntouched},
};

TEST_P(SelectionTest, PicksAndRemembers) {
  const SelectionCase& c = GetParam();
  SCOPED_TRACE(c.what);
  auto engine = makeEngine();
  DBResultSet artists(10), albums(10), tracks(10);
  for (const auto& [id, score] : c.tracks) tracks.add_record(score, id);
  std::string result = kUntouched;
  float score = -5;
  OCRData query = makeQuery("Tidewater", "Marlow Quay", "Harbour Lights");
  EXPECT_EQ(engine->findInexactMatch(query, &result, artists, albums, tracks, &score), c.confident);
  EXPECT_FLOAT_EQ(score, c.score);
  EXPECT_EQ(result, c.id);
  ASSERT_EQ(engine->recentQueries.size(), c.confident ? 1u : 0u);
  if (c.confident) {
    EXPECT_EQ(engine->recentQueries.back().trackId, c.id);
  }
}

INSTANTIATE_TEST_SUITE_P(Candidates, SelectionTest, testing::ValuesIn(kSelectionCases),
                         NameByWhat());

}  // namespace
