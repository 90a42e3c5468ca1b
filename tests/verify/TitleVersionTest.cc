// The versions and numbers titles name, and when two titles are not one recording.
#include "verify/TitleVersion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string numbersOf(const TitleVersion& version) {
  std::string out;
  for (uint32_t n : version.numbers) out += (out.empty() ? "" : ",") + std::to_string(n);
  return out;
}

TEST(TitleVersionTest, ReadsVersionsAndNumbers) {
  const struct {
    const char* title;
    const char* version;
    const char* numbers;
  } kCases[] = {
      {"Song", "none", ""},
      {"Song (Live)", "live", ""},
      {"Song - Live", "live", ""},
      {"Canción (En Vivo)", "live", ""},
      {"Canção (Ao Vivo)", "live", ""},
      {"Chanson (Acoustique)", "acoustic", ""},
      {"Rain and Soil (Normandie Music Remix)", "remix by normandie music", ""},
      {"Colours [Leon Somov Remix]", "remix by leon somov", ""},
      {"Song (Tiësto Mix)", "remix by tiesto", ""},
      {"Song (Original Mix)", "none", ""},
      {"Song (Remastered 2011)", "none", ""},
      {"Song - 2011 Remaster", "none", ""},
      {"Song (Mono)", "none", ""},
      {"Song (Radio Edit)", "edit", ""},
      {"Song (Extended Mix)", "extended", ""},
      {"Song (Club Mix)", "extended", ""},
      {"Song (Acoustic Version)", "acoustic", ""},
      {"Song (Unplugged)", "unplugged", ""},
      {"Song (Instrumental)", "instrumental", ""},
      {"Song (Karaoke Version)", "karaoke", ""},
      {"Song (A Cappella)", "a cappella", ""},
      {"Song (Demo)", "demo", ""},
      {"Song (feat. Someone) [Live]", "live", ""},
      {"Song (Live) (Acoustic)", "live, acoustic", ""},
      // Version words as OCR misreads them; "club" stays a word of its own.
      {"Song (instrurnental)", "instrumental", ""},
      {"Song (Low Bit Rernix)", "remix by low bit", ""},
      {"Song [Sh0rt Eclit]", "edit", ""},
      {"Song (Iive)", "live", ""},
      {"Song (Club Version)", "none", ""},
      // One typing error in a version word of five letters or more.
      {"Whale (Blossom Reix)", "remix by blossom", ""},
      {"Song (Reimx)", "remix", ""},
      {"Song (Instrumentwl)", "instrumental", ""},
      {"Song (instrumentaal)", "instrumental", ""},
      {"Song (Love)", "none", ""},
      {"My Piano Sings (Part 4)", "none", "4"},
      {"Symphony No. 2 - III. Urlicht", "none", "2,3"},
      {"Greatest Hits Vol. II", "none", "2"},
      {"Agravic Part 1II", "none", "3"},
      {"Malcolm X", "none", ""},
      {"Cry (bIack m0on rnix)", "remix by biack m0on", ""},
      {"Suite Part I", "none", "1"},
      {"I Want You", "none", ""},
      {"2001", "none", "2001"},
      {"S0ng", "none", ""},
      {"Maribor 21. 12. 20l2", "none", "12,21,2012"},
      {"NWTW0 5O Re1eases", "none", "50"},
      {"Live and Let Die", "none", ""},
  };
  for (const auto& c : kCases) {
    const TitleVersion version = readTitleVersion(c.title);
    EXPECT_EQ(versionText(version), c.version) << c.title;
    EXPECT_EQ(numbersOf(version), c.numbers) << c.title;
  }
}

TEST(TitleVersionTest, TellsOtherRecordingsApart) {
  const struct {
    const char* query;
    const char* track;
    const char* reason;
  } kCases[] = {
      {"My Piano Sings (Part 4)", "My Piano Sings (Part 3)", "number differs: 4 / 3"},
      {"2000", "2001", "number differs: 2000 / 2001"},
      {"Sonata II", "Sonata III", "number differs: 2 / 3"},
      {"Suite (Part 2)", "Suite", "number differs: 2 / none"},
      {"Symphony No. II", "Symphony", "number differs: 2 / none"},
      {"The B0ss", "The Boss", ""},
      {"XX", "X", ""},
      {"Julie Star (Unplugged)", "Julie Star", "version differs: unplugged / none"},
      {"Rain and Soil (Normandie Music Remix)", "Rain and Soil",
       "version differs: remix by normandie music / none"},
      {"Song", "Song - Live", "version differs: none / live"},
      {"Song (Tiesto Remix)", "Song (Armin Remix)",
       "version differs: remix by tiesto / remix by armin"},
      // The same recording, however described.
      {"Song (Remastered 2011)", "Song", ""},
      {"Song", "Song (2009 Remaster)", ""},
      {"Song (Remix)", "Song (Normandie Remix)", ""},
      {"Song (Tiesto Remix)", "Song (Tiesta Remix)", ""},
      {"Part III", "Part 3", ""},
      {"Song", "Song 2", ""},
      {"S0ng (Live)", "Song (Live)", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(titleDisagreement(readTitleVersion(c.query), readTitleVersion(c.track)), c.reason)
        << "[" << c.query << "] against [" << c.track << "]";
  }
}

TEST(TitleVersionTest, KnowsATitleCutShort) {
  const struct {
    const char* query;
    const char* track;
    bool cut;
  } kCases[] = {
      {"Amsterdam (Blac Koyote", "Amsterdam (Blac Koyote Remix)", true},
      {"Great Pretender, Pts. 1", "Great Pretender, Pts. 1 & 2", true},
      {"Song", "Song (Live)", true},
      {"Song (Live)", "Song", false},
      {"Song (Live)", "Song (Live)", false},
      {"2000", "20001", false},
      {"", "Song", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(cutShortOf(foldName(c.query), foldName(c.track)), c.cut) << "[" << c.query << "] of [" << c.track << "]";
  }
}

}  // namespace
