#include "fuzzy/NameFolding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FoldCase {
  std::string text;
  std::string folded;
};

class FoldNameTest : public testing::TestWithParam<FoldCase> {};

TEST_P(FoldNameTest, Folds) {
  SCOPED_TRACE("text: '" + GetParam().text + "'");
  EXPECT_EQ(foldName(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FoldNameTest,
    testing::Values(FoldCase{"Beyoncé", "beyonce"}, FoldCase{"  Sigur  Rós!! ", "sigur ros"},
                    FoldCase{"Simon & Garfunkel", "simon and garfunkel"},
                    FoldCase{"Rock&Roll", "rock and roll"}, FoldCase{"Don't Stop", "dont stop"},
                    FoldCase{"Don\u2019t Stop", "dont stop"}, FoldCase{"R.E.M.", "rem"},
                    FoldCase{"Stra\u00dfe", "strasse"}, FoldCase{"\uFB01ne \uFF21\uFF22", "fine ab"},
                    FoldCase{"AC/DC", "ac dc"}, FoldCase{"...", ""}, FoldCase{"", ""},
                    FoldCase{"Motörhead\xff", "motorhead"}, FoldCase{std::string("a\0b", 3), "a b"},
                    FoldCase{"Ελληνικά", "ελληνικα"}, FoldCase{"東京事変", "東京事変"}));

struct PartsCase {
  bool artist;
  std::string text;
  std::string core;
  std::string article;
  std::string featured;
  std::string version;
};

class NamePartsTest : public testing::TestWithParam<PartsCase> {};

TEST_P(NamePartsTest, TakesApart) {
  const PartsCase& c = GetParam();
  SCOPED_TRACE(std::string(c.artist ? "artist" : "title") + ": '" + c.text + "'");
  const NameParts parts = c.artist ? artistParts(c.text) : titleParts(c.text);
  EXPECT_EQ(parts.core, c.core);
  EXPECT_EQ(parts.article, c.article);
  EXPECT_EQ(parts.featured, c.featured);
  EXPECT_EQ(parts.version, c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Artists, NamePartsTest,
    testing::Values(PartsCase{true, "The Beatles", "beatles", "the", "", ""},
                    PartsCase{true, "Beatles, The", "beatles", "the", "", ""},
                    PartsCase{true, "The The", "the", "the", "", ""},
                    PartsCase{true, "Cash, Johnny", "johnny cash", "", "", ""},
                    PartsCase{true, "Earth, Wind & Fire", "earth wind and fire", "", "", ""},
                    PartsCase{true, "Crosby, Stills, Nash", "crosby stills nash", "", "", ""},
                    PartsCase{true, "Eminem feat. Rihanna", "eminem", "", "rihanna", ""},
                    PartsCase{true, "Simon & Garfunkel", "simon and garfunkel", "", "", ""},
                    PartsCase{true, "Theatre of Tragedy", "theatre of tragedy", "", "", ""}));

INSTANTIATE_TEST_SUITE_P(
    Titles, NamePartsTest,
    testing::Values(PartsCase{false, "Help! (Remastered 2009)", "help", "", "", "remastered 2009"},
                    PartsCase{false, "Hey Jude - Live", "hey jude", "", "", "live"},
                    PartsCase{false, "Yesterday - 2009 Remaster", "yesterday", "", "",
                              "2009 remaster"},
                    PartsCase{false, "Symphony No. 2 - III. Urlicht", "symphony no 2 iii urlicht",
                              "", "", ""},
                    PartsCase{false, "Song [Radio Edit] (Live)", "song", "", "", "radio edit live"},
                    PartsCase{false, "Stan (feat. Dido)", "stan", "", "dido", ""},
                    PartsCase{false, "Love ft. Kendrick Lamar", "love", "", "kendrick lamar", ""},
                    PartsCase{false, "Draft Beer", "draft beer", "", "", ""},
                    PartsCase{false, "Live and Let Die", "live and let die", "", "", ""},
                    PartsCase{false, "(I Can't Get No) Satisfaction", "i cant get no satisfaction",
                              "", "", ""},
                    PartsCase{false, "(Live)", "live", "", "", ""},
                    PartsCase{false, "Unclosed (Bracket", "unclosed", "", "", "bracket"},
                    PartsCase{false, "- Live", "live", "", "", ""},
                    PartsCase{false, "", "", "", "", ""}));

}  // namespace
