// The verification of answers: pairs of query and catalogue track that must and must not
// be confident, with the reasons given.
#include "verify/AnswerCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ostrev/scores.h"

namespace {

std::string joined(const std::vector<std::string>& doubts) {
  std::string out;
  for (const std::string& doubt : doubts) out += (out.empty() ? "" : "; ") + doubt;
  return out;
}

TEST(AnswerCheckTest, DoubtsWhatIsAnotherRecordingOrTooLittleToTell) {
  // Titles the catalogue holds, by how many artists.
  const std::map<std::string, size_t> artistsByTitle = {
      {"Grandma", 1}, {"colours", 3}, {"Credits", 2}, {"Only Once", 1}};
  CatalogueFacts catalogue;
  catalogue.titleCount = [&](const std::string& title) {
    auto found = artistsByTitle.find(title);
    return found == artistsByTitle.end() ? TitleCount{} : TitleCount{found->second, found->second};
  };
  // Every album has these tracks besides the answer.
  catalogue.albumTitles = [](const AnswerTexts& track) {
    return std::vector<std::string>{track.title, "Suite (Part 5)", "Decay I"};
  };
  const struct {
    AnswerTexts query;
    AnswerTexts track;
    const char* doubts;
  } kCases[] = {
      {{"My Piano Sings (Part 4)", "Ann Key", ""}, {"My Piano Sings (Part 3)", "Ann Key", "Piano"},
       "number differs: 4 / 3"},
      {{"Julie Star (Unplugged)", "Mo Sal", "Stars"}, {"Julie Star", "Mo Sal", "Stars"},
       "version differs: unplugged / none"},
      {{"Rain and Soil (Normandie Music Remix)", "Tidal", ""}, {"Rain and Soil", "Tidal", "Soil"},
       "version differs: remix by normandie music / none"},
      {{"Song", "Band", ""}, {"Song (Live)", "Band", "Live at Home"},
       "version differs: none / live"},
      {{"Grandpa", "", ""}, {"Grandma", "Old Folks", "Family"}, "title only"},
      {{"Colours (Leon Somov Remix)", "", ""}, {"colours", "Someone Else", "Hues"},
       "version differs: remix by leon somov / none; title only"},
      {{"Credits", "", ""}, {"Credits", "A Band", "Film"}, "title only"},
      {{"Only Once (Original Mix)", "", ""}, {"Only Once", "Solo", "Single"}, "title only"},
      {{"Going Down", "Nobody Like Them", ""}, {"Going Down", "The Rockers", "Down"},
       "artist matches nothing"},
      {{"Suite (Part", "Band", ""}, {"Suite (Part 4)", "Band", "Suites"},
       "cut short: fits several tracks"},
      {{"Decay", "Band", ""}, {"Decay II", "Band", "Overlapse"}, "cut short: fits several tracks"},
      {{"Suite (Part 5", "Band", ""}, {"Suite", "Band", "Suites"},
       "number differs: 5 / none; cut short: fits several tracks"},
      {{"Letter Home", "", "Free Music Charts 2011"}, {"Glitter Bomb", "X", "Free Music Charts 2010"},
       "title only"},
      // Confident: the same recording, or enough said.
      {{"Song (Remastered 2011)", "Band", ""}, {"Song", "Band", "Album"}, ""},
      {{"Only Once", "", ""}, {"Only Once", "Solo", "Single"}, ""},
      {{"Sonng", "Bnad", ""}, {"Song", "Band", "Album"}, ""},
      {{"Band", "Song", ""}, {"Song", "Band", "Album"}, ""},
      {{"Just Plain Ant", "Restless (Just Plain Ant Remix)", ""},
       {"Restless (Just Plain Ant Remix)", "Just Plain Ant", "XE"}, ""},
      {{"Amsterdam (Blac Koyote", "Lasers", ""}, {"Amsterdam (Blac Koyote Remix)", "Lasers", "EP"},
       ""},
      {{"Song", "", "The Album"}, {"Song", "Band", "The Album"}, ""},
      {{"Cedar Smoke", "Pines", "Live at the Ballroom"},
       {"Cedar Smoke (Live)", "Pines", "Live at the Ballroom"}, ""},
      {{"Cedar Smoke", "Pines", "Remixes"}, {"Cedar Smoke", "Pines", "Remixes"}, ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(joined(answerDoubts(c.query, c.track, catalogue)), c.doubts)
        << "[" << c.query.title << " / " << c.query.artist << " / " << c.query.album
        << "] answered with [" << c.track.title << " / " << c.track.artist << "]";
  }
}

TEST(AnswerCheckTest, AnIdentifierOfOneRecordingDecides) {
  const AnswerTexts song{"Song", "Band", "Album"};
  const AnswerTexts sameOnCompilation{"Song", "Band", "Hits"};
  const AnswerTexts other{"Other Song", "Other Band", "Album"};
  const struct {
    AnswerTexts query;
    std::vector<AnswerTexts> tracks;
    bool decides;
    size_t best;
    float score;
    bool disagrees;
  } kCases[] = {
      {{"", "", ""}, {song}, true, 0, 90, false},
      {{"Song", "Band", "Album"}, {song}, true, 0, 100, false},
      {{"Song", "Band", "Hits"}, {song, sameOnCompilation}, true, 1, 100, false},
      {{"Nothing Alike", "Nobody", ""}, {song}, true, 0, ostrev::kDoubtedCeiling, true},
      {{"Son", "Ban", ""}, {{"Song Fire", "Band Five", "A"}}, true, 0, ostrev::kDoubtedCeiling, true},
      {{"Sonng", "Bnad", ""}, {song}, true, 0, 90 + 10 * 0.8f, false},
      {{"Song", "Nobody", ""}, {song}, true, 0, 90 + 10 * (100 + 0) / 200.0f, false},
      {{"Song", "Band", ""}, {song, other}, false, 0, 0, false},
      {{"Song", "Band", ""}, {song, {"Song (Live)", "Band", "Live"}}, false, 0, 0, false},
      {{"Song", "Band", ""}, {}, false, 0, 0, false},
  };
  for (const auto& c : kCases) {
    const IdentifierVerdict verdict = identifierVerdict(c.query, c.tracks);
    SCOPED_TRACE("[" + c.query.title + " / " + c.query.artist + "] over " +
                 std::to_string(c.tracks.size()) + " tracks");
    EXPECT_EQ(verdict.decides, c.decides);
    if (!c.decides) continue;
    EXPECT_EQ(verdict.best, c.best);
    EXPECT_NEAR(verdict.score, c.score, 1);
    EXPECT_EQ(verdict.disagrees, c.disagrees);
  }
}

// A UPC's album and a title: the album track the title names, misread or not, when it
// names one recording of the album.
TEST(AnswerCheckTest, AnAlbumCodeAndATitleNameOneTrack) {
  const std::vector<AnswerTexts> album = {{"Intro", "Band", "Album"},
                                          {"Suite (Part 1)", "Band", "Album"},
                                          {"Suite (Part 2)", "Band", "Album"},
                                          {"Rainy Morning", "Band", "Album"}};
  const struct {
    AnswerTexts query;
    bool decides;
    size_t best;
  } kCases[] = {
      {{"Rainy Morning", "", ""}, true, 3},
      {{"Rainy Mornin", "Band", ""}, true, 3},
      {{"Intro", "Band", "Album"}, true, 0},
      {{"Suite", "", ""}, false, 0},
      {{"Something Else", "", ""}, false, 0},
      {{"", "Band", ""}, false, 0},
  };
  for (const auto& c : kCases) {
    const IdentifierVerdict verdict = titledTrackVerdict(c.query, album);
    SCOPED_TRACE("[" + c.query.title + " / " + c.query.artist + "]");
    EXPECT_EQ(verdict.decides, c.decides);
    if (!c.decides) continue;
    EXPECT_EQ(verdict.best, c.best);
    EXPECT_GE(verdict.score, 90);
    EXPECT_FALSE(verdict.disagrees);
  }
}

// An identifier's answer needs no title, and a query without one names no version.
TEST(AnswerCheckTest, AnIdentifiedAnswerNeedsNoTitle) {
  const AnswerTexts remix{"Song (Remix)", "Band", "Album"};
  EXPECT_TRUE(answerDoubts({"", "", ""}, remix, CatalogueFacts(), true).empty());
  EXPECT_EQ(joined(answerDoubts({"Song", "", ""}, remix, CatalogueFacts(), true)),
            "version differs: none / remix");
}

TEST(AnswerCheckTest, HoldsDoubtedAnswersBelowConfident) {
  EXPECT_EQ(doubtedScore(97, {"title only"}), ostrev::kDoubtedCeiling);
  EXPECT_EQ(doubtedScore(60, {"title only"}), 60);
  EXPECT_EQ(doubtedScore(97, {}), 97);
}

}  // namespace
