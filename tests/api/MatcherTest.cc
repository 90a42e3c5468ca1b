// The public API end to end against the test catalogue: answers with int64 ids and names,
// candidates, albums, and every failure a Status, never an exit.
#include "ostrev/matcher.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/TestCatalogue.h"

namespace {

ostrev::Options testOptions(bool fuzzy) {
  ostrev::Options options;
  options.database = kTestDatabase;
  options.user = kTestUser;
  options.password = kTestPassword;
  options.fuzzy = fuzzy;
  return options;
}

class MatcherTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    const ostrev::Status status = ostrev::Matcher::Open(testOptions(GetParam()), &matcher_);
    ASSERT_TRUE(status.ok()) << status.ToString();
  }
  std::unique_ptr<ostrev::Matcher> matcher_;
};

TEST_P(MatcherTest, IdentifiesAsTheServerDoes) {
  const struct {
    ostrev::Query query;
    int64_t trackId;  // 0: no track
    const char* track;
    bool confident;
  } kCases[] = {
      {{"The Beatles", "Abbey Road", "Come Together", "", ""}, 100, "Come Together", true},
      {{"", "", "", "GBAMB9700012", ""}, 102, "Jóga", GetParam()},
      {{"Qqqqq", "Zzzzz", "Xxxxx", "", ""}, 0, "", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.query.title + " / " + c.query.artist + " / " + c.query.isrc);
    ostrev::Match match;
    ASSERT_TRUE(matcher_->Identify(c.query, &match).ok());
    EXPECT_EQ(match.track_id, c.trackId);
    EXPECT_EQ(match.track, c.track);
    EXPECT_EQ(match.confident(), c.confident) << match.score;
    if (match.found()) {
      EXPECT_GT(match.artist_id, 0);
      EXPECT_FALSE(match.artist.empty());
      EXPECT_NE(match.stage, "none");
    }
  }
}

TEST_P(MatcherTest, ListsCandidatesWithinTheLimit) {
  std::vector<ostrev::Candidate> candidates;
  bool ambiguous = false;
  ASSERT_TRUE(matcher_->Candidates({"The Beatles", "", "Come Together", "", ""}, 2, &candidates,
                                   &ambiguous)
                  .ok());
  ASSERT_FALSE(candidates.empty());
  EXPECT_LE(candidates.size(), 2u);
  EXPECT_EQ(candidates[0].track, "Come Together");
  for (size_t limit : {size_t{0}, size_t{51}}) {
    EXPECT_TRUE(matcher_->Candidates({}, limit, &candidates).IsInvalidArgument()) << limit;
  }
}

TEST_P(MatcherTest, IdentifiesAnAlbumTrackByTrack) {
  ostrev::AlbumQuery album;
  album.album = "Abbey Road";
  album.artist = "The Beatles";
  album.tracks = {{"Come Together", "", ""}, {"Somethin", "", ""}, {"Nothing Like It", "", ""}};
  std::vector<ostrev::Match> matches;
  ASSERT_TRUE(matcher_->IdentifyAlbum(album, &matches).ok());
  ASSERT_EQ(matches.size(), 3u);
  EXPECT_EQ(matches[0].track_id, 100);
  EXPECT_EQ(matches[1].track, "Something");
  EXPECT_FALSE(matches[2].found());
}

INSTANTIATE_TEST_SUITE_P(CascadeAndFuzzy, MatcherTest, testing::Bool());

// With the fuzzy mode an answer carries the verification's reasons.
TEST(MatcherReasonsTest, SaysWhyAnAnswerIsNotConfident) {
  std::unique_ptr<ostrev::Matcher> matcher;
  ASSERT_TRUE(ostrev::Matcher::Open(testOptions(true), &matcher).ok());
  ostrev::Match match;
  ASSERT_TRUE(matcher->Identify({"The Beatles", "Abbey Road", "Come Together (Live)", "", ""},
                                &match)
                  .ok());
  EXPECT_EQ(match.track_id, 100);
  EXPECT_FALSE(match.confident());
  EXPECT_EQ(match.reasons, std::vector<std::string>({"version differs: live / none"}));
}

// A catalogue that cannot be reached, or options it cannot use, give a Status; the
// process goes on.
TEST(MatcherOpenTest, FailsWithAStatus) {
  ostrev::Options wrongDatabase = testOptions(false);
  wrongDatabase.database = "NO_SUCH_CATALOGUE";
  ostrev::Options wrongPassword = testOptions(true);
  wrongPassword.password = "not the password";
  const struct {
    const char* what;
    ostrev::Options options;
    bool invalid;  // else unavailable
  } kCases[] = {
      {"no database", ostrev::Options(), true},
      {"unknown database", wrongDatabase, false},
      {"wrong password", wrongPassword, false},
  };
  for (const auto& c : kCases) {
    std::unique_ptr<ostrev::Matcher> matcher;
    const ostrev::Status status = ostrev::Matcher::Open(c.options, &matcher);
    EXPECT_FALSE(status.ok()) << c.what;
    EXPECT_EQ(status.IsInvalidArgument(), c.invalid) << c.what << ": " << status.ToString();
    EXPECT_EQ(status.IsUnavailable(), !c.invalid) << c.what << ": " << status.ToString();
    EXPECT_EQ(matcher, nullptr) << c.what;
  }
}

}  // namespace
