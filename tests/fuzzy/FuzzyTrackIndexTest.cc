#include "fuzzy/FuzzyTrackIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

struct CatalogueTrack {
  int64_t id;
  std::string title, artist, album;
};

std::string randomWords(std::mt19937* random, int most) {
  static const char* const kSyllables[] = {"la", "ve", "ro", "mi", "sun", "ka", "or",
                                           "an", "ké", "do", "ri", "lo", "ng", "ba"};
  std::uniform_int_distribution<int> words(1, most), syllables(1, 3), pick(0, 13);
  std::string text;
  for (int w = words(*random); w > 0; --w) {
    if (!text.empty()) text += ' ';
    for (int s = syllables(*random); s > 0; --s) text += kSyllables[pick(*random)];
  }
  return text;
}

// Artists with several albums of several tracks, as catalogues are.
std::vector<CatalogueTrack> generatedCatalogue(unsigned seed, int artists) {
  std::mt19937 random(seed);
  std::vector<CatalogueTrack> tracks;
  for (int a = 0; a < artists; ++a) {
    const std::string artist = randomWords(&random, 2);
    for (int b = static_cast<int>(random() % 3) + 1; b > 0; --b) {
      const std::string album = randomWords(&random, 3);
      for (int t = static_cast<int>(random() % 10) + 1; t > 0; --t) {
        tracks.push_back({static_cast<int64_t>(tracks.size() + 1), randomWords(&random, 4),
                          artist, album});
      }
    }
  }
  return tracks;
}

std::string typo(std::string text, std::mt19937* random) {
  if (text.size() < 3) return text;
  size_t i = 1 + (*random)() % (text.size() - 2);
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  text[i] = 'x';
  return text;
}

std::unique_ptr<const FuzzyTrackIndex> indexOf(const std::vector<CatalogueTrack>& tracks) {
  FuzzyTrackIndex::Builder builder;
  for (const CatalogueTrack& t : tracks) builder.add(t.id, t.title, t.artist, t.album);
  return builder.build();
}

// The best score over every track, both readings, as plainly as it can be written.
float bruteForceBest(const std::vector<CatalogueTrack>& tracks, const std::string& title,
                     const std::string& artist, const std::string& album) {
  const FuzzyQuery readings[] = {readFuzzyQuery(title, artist, album),
                                 swappedFuzzyQuery(title, artist, album)};
  float best = 0;
  for (const CatalogueTrack& t : tracks) {
    const FuzzyQuery names = readFuzzyQuery(t.title, t.artist, t.album);
    const TrackNames track{names.title.core, names.title.version, names.artist.core,
                           names.album.core};
    for (const FuzzyQuery& reading : readings) {
      best = std::max(best, scoreRecord(reading, track).total);
    }
  }
  return best;
}

TEST(FuzzyTrackIndexTest, BestCandidateEqualsBruteForceOnGeneratedCatalogues) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const std::vector<CatalogueTrack> tracks = generatedCatalogue(seed, 150);
    const auto index = indexOf(tracks);
    FuzzySearchScratch scratch;
    std::mt19937 random(seed + 100);
    for (int q = 0; q < 60; ++q) {
      const CatalogueTrack& t = tracks[random() % tracks.size()];
      // Every field garbled, and now and then one left out or two swapped.
      std::string title = typo(t.title, &random), artist = typo(t.artist, &random),
                  album = typo(t.album, &random);
      if (q % 5 == 1) album.clear();
      if (q % 5 == 2) artist.clear();
      if (q % 5 == 3) std::swap(title, artist);
      SCOPED_TRACE("seed " + std::to_string(seed) + ": '" + title + "' / '" + artist +
                   "' / '" + album + "'");
      const std::vector<FuzzyCandidate> found = index->best(title, artist, album, 3, &scratch);
      ASSERT_FALSE(found.empty());
      EXPECT_FLOAT_EQ(found[0].scores.total, bruteForceBest(tracks, title, artist, album));
      EXPECT_EQ(found[0].trackId, t.id);
    }
  }
}

TEST(FuzzyTrackIndexTest, VersionInTheQueryChoosesTheTake) {
  const auto index = indexOf({{1, "Hey Jude", "The Beatles", "Past Masters"},
                              {2, "Hey Jude - Live", "The Beatles", "Past Masters"},
                              {3, "Hey Jude (Remastered 2015)", "The Beatles", "Past Masters"}});
  FuzzySearchScratch scratch;
  const struct {
    std::string title;
    int64_t expected;
  } cases[] = {{"Hey Jude", 1}, {"Hey Jude (Live)", 2}, {"hey jude - live", 2},
               {"Hey Jude [Remastered]", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    const auto found = index->best(c.title, "Beatles, The", "", 1, &scratch);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].trackId, c.expected);
  }
}

TEST(FuzzyTrackIndexTest, SwappedArtistAndTitleAreReadBothWays) {
  const auto index = indexOf({{1, "Wonderwall", "Oasis", "Morning Glory"},
                              {2, "Oasis", "Wonderwal Tribute Band", "Covers"}});
  FuzzySearchScratch scratch;
  const auto found = index->best("Oasis", "Wonderwall", "Morning Glory", 1, &scratch);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].trackId, 1);
  EXPECT_TRUE(found[0].swapped);
  EXPECT_FLOAT_EQ(found[0].scores.total, 100);
}

// A title shared by two artists cannot be answered with confidence from the title alone;
// the same recording on two albums can.
TEST(FuzzyTrackIndexTest, ARivalByAnotherArtistMakesTheAnswerUnsure) {
  const auto index = indexOf({{1, "Intro", "Alpha", "First"},
                              {2, "Intro", "Beta", "Second"},
                              {3, "Solo Song", "Gamma", "Third"},
                              {4, "Solo Song", "Gamma", "Best Of"}});
  FuzzySearchScratch scratch;
  const struct {
    std::string title, artist;
    float expected;
  } cases[] = {{"Intro", "", 70}, {"Intro", "Alpha", 100}, {"Solo Song", "", 100},
               {"Nothing Alike", "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.title + "' by '" + c.artist + "'");
    EXPECT_FLOAT_EQ(answerScore(index->best(c.title, c.artist, "", kAnswerCandidates, &scratch)),
                    c.expected);
  }
}

TEST(FuzzyTrackIndexTest, BadInputFindsNothingOrSomethingButNeverFails) {
  const auto index = indexOf({{1, "", "", ""}, {2, "Song", "Artist", "Album"},
                              {3, std::string(512, 'a'), "\xff\xfe", std::string("a\0b", 3)}});
  FuzzySearchScratch scratch;
  const std::string cases[][3] = {{"", "", ""},       {"!!!", "...", "&&"},
                                  {"\xff", "\xc3", ""}, {std::string(199, 'a'), "", ""},
                                  {"song", "", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c[0] + "' / '" + c[1] + "' / '" + c[2] + "'");
    for (const FuzzyCandidate& found : index->best(c[0], c[1], c[2], 5, &scratch)) {
      EXPECT_GE(found.scores.total, 0);
      EXPECT_LE(found.scores.total, 100);
    }
  }
  EXPECT_TRUE(index->best("", "", "", 5, &scratch).empty());
  EXPECT_EQ(index->best("song", "", "", 5, &scratch).at(0).trackId, 2);
}

}  // namespace
