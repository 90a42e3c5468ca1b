// The engine's report of its candidate sets and its profile of the candidate retrievals.
// The report is read by people comparing runs, so its layout is pinned byte for byte.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "engine/EngineFixture.h"
#include "support/TestNames.h"

namespace {

class DiagnosticsTest : public EngineTest {
 protected:
  DiagnosticsTest() : artists(10), albums(10), tracks(10) {
    artists.add_record(100, "Marlow Quay");
    artists.add_record(82, "Marlow Quay Trio");
    artists.add_record(41.5f, "Harriet Vance");
    albums.add_record(100, "Harbour Lights");
    tracks.add_record(95.5f, "1001");  // Tidewater by Marlow Quay on Harbour Lights
    tracks.add_record(60, "1003");     // Gull Song by Harriet Vance on Harbour Lights
  }

  std::string report(TextTrackLookup& engine, bool withNames = true) {
    return printedBy([&] {
      engine.debug_output(withNames ? &artists : nullptr, artists.num_records(),
                          withNames ? &albums : nullptr, albums.num_records(), &tracks,
                          tracks.num_records(), &query);
    });
  }

  DBResultSet artists, albums, tracks;
  OCRData query = makeQuery("Tidewatr", "Marlow Quay", "Harbour Lights");
};

// Track lines compare the fetched names with the query's: Tidewatr scores 88 against
// Tidewater and 0 against Gull Song; Marlow Quay 23 against Harriet Vance.
const char kTidewaterLine[] =
    "\tAlbScore: 100 Album name: [ Harbour Lights ] src Album name: [ Harbour Lights ] "
    "ArtScore: 100 Artist name: [ Marlow Quay ] src artist name: [ Marlow Quay ] "
    "TrkScore: 88 title: [ Tidewater ] src title: [ Tidewatr ] \n";
const char kGullSongLine[] =
    "\tAlbScore: 100 Album name: [ Harbour Lights ] src Album name: [ Harbour Lights ] "
    "ArtScore: 23 Artist name: [ Harriet Vance ] src artist name: [ Marlow Quay ] "
    "TrkScore: 0 title: [ Gull Song ] src title: [ Tidewatr ] \n";
const char kTrackHeader[] = "\nTrack Best Matches:\n===================\n";
const char kTrackTotal[] = "Total tracks returned: 2\n";

TEST_F(DiagnosticsTest, DebugReportsEverySet) {
  auto engine = makeEngine(OPT_DEBUG);
  EXPECT_EQ(report(*engine), std::string("\nArtist Best Matches:\n====================\n"
                                         "Artist Name: Marlow Quay      Score: 100\n"
                                         "Total artists returned: 3\n"
                                         "Artist Name: Marlow Quay Trio      Score: 82\n"
                                         "Total artists returned: 3\n"
                                         "Artist Name: Harriet Vance      Score: 41.5\n"
                                         "Total artists returned: 3\n"
                                         "\nAlbum Best Matches:\n===================\n"
                                         "Album Name: Harbour Lights     Score: 100\n"
                                         "Total albums returned: 1\n") +
                                 kTrackHeader + kTidewaterLine + kGullSongLine + kTrackTotal);
}

TEST_F(DiagnosticsTest, MissingSetsAreLeftOut) {
  auto engine = makeEngine(OPT_DEBUG);
  EXPECT_EQ(report(*engine, false),
            std::string(kTrackHeader) + kTidewaterLine + kGullSongLine + kTrackTotal);
}

TEST_F(DiagnosticsTest, SynonymModeListsIdsAndScores) {
  auto engine = makeEngine(OPT_SYNONYM);
  EXPECT_EQ(report(*engine), "1001 95.5\n1003 60\n");

  auto both = makeEngine(OPT_DEBUG | OPT_SYNONYM);
  EXPECT_EQ(report(*both, false), std::string(kTrackHeader) + "1001 95.5\n" + kTidewaterLine +
                                      "1003 60\n" + kGullSongLine + kTrackTotal);
}

struct AlternativesCase {
  const char* what;
  const char* artistAlt1;
  const char* artistAlt2;
  const char* albumAlt1;
  const char* albumAlt2;
  const char* scores;  // of the Tidewater line
};

class DiagnosticsAlternativesTest : public DiagnosticsTest,
                                    public testing::WithParamInterface<AlternativesCase> {};

// The last non-empty text is the one compared: Marlow Quay Trio scores 82 against Marlow
// Quay, Harriet Vance 23; Quiet Harbour scores 7 against Harbour Lights.
const AlternativesCase kAlternativesCases[] = {
    {"none", "", "", "", "", "AlbScore: 100 ArtScore: 100"},
    {"first", "Marlow Quay Trio", "", "Quiet Harbour", "", "AlbScore: 7 ArtScore: 82"},
    {"both", "Marlow Quay Trio", "Harriet Vance", "Harbour Lights", "Quiet Harbour",
     "AlbScore: 7 ArtScore: 23"},
    {"second only", "", "Marlow Quay Trio", "", "Quiet Harbour", "AlbScore: 7 ArtScore: 82"},
};

TEST_P(DiagnosticsAlternativesTest, LastAlternativeCounts) {
  const AlternativesCase& c = GetParam();
  SCOPED_TRACE(std::string("artists [") + c.artistAlt1 + "] [" + c.artistAlt2 + "] albums [" +
               c.albumAlt1 + "] [" + c.albumAlt2 + "]");
  auto engine = makeEngine(OPT_DEBUG);
  query.artistAlt1 = c.artistAlt1;
  query.artistAlt2 = c.artistAlt2;
  query.albumAlt1 = c.albumAlt1;
  query.albumAlt2 = c.albumAlt2;
  std::smatch found;
  std::string printed = report(*engine, false);
  ASSERT_TRUE(std::regex_search(printed, found,
                                std::regex("\tAlbScore: ([0-9]+) .*ArtScore: ([0-9]+) "
                                           "Artist name: \\[ Marlow Quay \\]")))
      << printed;
  EXPECT_EQ("AlbScore: " + found[1].str() + " ArtScore: " + found[2].str(), c.scores);
}

INSTANTIATE_TEST_SUITE_P(Texts, DiagnosticsAlternativesTest, testing::ValuesIn(kAlternativesCases),
                         NameByWhat());

TEST_F(DiagnosticsTest, ProfileTimesFiveRetrievals) {
  auto engine = makeEngine();
  std::string printed = printedBy([&] { engine->profile(query); });
  const std::string secs = "[0-9.e-]+\n";
  EXPECT_TRUE(std::regex_match(
      printed,
      std::regex("getArtists \\(stl list\\): " + secs + "getArtists \\(stl list\\): " + secs +
                 "getArtists \\(heap table\\): " + secs + "getAlbums \\(stl list\\): " + secs +
                 "getAlbums \\(heap table\\): " + secs)))
      << printed;
}

}  // namespace
