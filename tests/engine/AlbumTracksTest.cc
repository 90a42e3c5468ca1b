// Identifying the tracks of one album: identifiers and exact hits first, then the album's
// own track list, then the text cascade. Every track query starts with the caller's names
// below, so it shows which pass answered it: only the cascade pass fetches the names.
#include <gtest/gtest.h>

#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "engine/EngineFixture.h"

namespace {

const char kCallerTitle[] = "Caller Title";
const char kCallerArtist[] = "Caller Artist";
const char kCallerAlbum[] = "Caller Album";  // scores 21 against Harbour Lights

struct TrackCase {
  const char* what;
  const char* title;
  const char* artist;
  const char* isrc;
  // Expected.
  float mediaScore;
  const char* mediaId;
  const char* mediaName;
  const char* artistName;
  const char* albumName;
  float albumScore;
};

OCRData trackQuery(const TrackCase& c) {
  OCRData track = makeQuery(c.title, c.artist, "Album Of The Query");
  track.isrc = c.isrc;
  track.mediaId = "none";
  track.mediaName = kCallerTitle;
  track.artistName = kCallerArtist;
  track.albumName = kCallerAlbum;
  track.albumScore = 55;
  track.spareScore = 66;
  track.mediaScore = 77;
  return track;
}

std::list<OCRData> trackQueries(const std::vector<TrackCase>& cases) {
  std::list<OCRData> tracks;
  for (const TrackCase& c : cases) tracks.push_back(trackQuery(c));
  return tracks;
}

void expectAnswers(const std::vector<TrackCase>& cases, const std::list<OCRData>& tracks) {
  ASSERT_EQ(tracks.size(), cases.size());
  auto track = tracks.begin();
  for (const TrackCase& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + c.title + " / " + c.artist + " / " + c.isrc);
    EXPECT_FLOAT_EQ(track->mediaScore, c.mediaScore);
    EXPECT_EQ(track->mediaId, c.mediaId);
    EXPECT_EQ(track->mediaName, c.mediaName);
    EXPECT_EQ(track->artistName, c.artistName);
    EXPECT_EQ(track->albumName, c.albumName);
    EXPECT_FLOAT_EQ(track->albumScore, c.albumScore);
    EXPECT_EQ(track->spareScore, 0);
    ++track;
  }
}

class AlbumTracksTest : public EngineTest {};

TEST_F(AlbumTracksTest, EachPassAnswersItsOwnTracks) {
  const std::vector<TrackCase> cases = {
      // ISRC shared by 1401 and 1402, both Ferry Bell on an album Ferry Bells (21):
      // 25 + 0.75 * (40 + 3.15 + 45) = 91.1125, the first record kept.
      {"ISRC", "Ferry Bell", "Marlow Quay", "QZSH24000001", 91, "1401", kCallerTitle, kCallerArtist,
       kCallerAlbum, 21},
      // 13 bytes are not an ISRC: found by the cascade through its artist, with the album
      // Night Trains scoring 14: 40 + 2.1 + 45 = 87.1, boosted to 88.003.
      {"13-byte ISRC", "Last Tram", "Velvet Hours", "QZSH240000021", 88, "1008", "Last Tram",
       "Velvet Hours", "Night Trains", 14},
      {"exact track", "Tidewater", "Marlow Quay", "", 100, "1001", kCallerTitle, kCallerArtist,
       kCallerAlbum, 21},
      // On the album: title 100, artist 84 -> 40 + 15 + 37.8 = 92.8, rounded.
      {"album track", "Gull Song", "Hariet Vanse", "", 93, "1003", "Gull Song", "Harriet Vance",
       kCallerAlbum, 21},
      // Artist 50 gives 67.5 on the album's list, too little; the cascade finds it through
      // the album: 40 + 15 + 22.5 = 77.5, boosted to 79.075.
      {"album track too weak", "Gull Song", "Harold Vantage", "", 79, "1003", "Gull Song",
       "Harriet Vance", "Harbour Lights", 100},
      // On another album of the artist (Quiet Harbour, 7): 40 + 1.05 + 45, boosted.
      {"other album", "Ember Road", "Marlow Quay", "", 87, "1006", "Ember Road", "Marlow Quay",
       "Quiet Harbour", 7},
      // Nothing anywhere: the cascade's 10, no names, no album score.
      {"nothing", "Wwwww", "Qqq", "", 10, "none", kCallerTitle, kCallerArtist, kCallerAlbum, 0},
      // The ISRC's records (Dune Light, Dune Lights) score below 40: the exact track wins.
      {"weak ISRC", "Tidewater", "Marlow Quay", "QZSH24000005", 100, "1001", kCallerTitle,
       kCallerArtist, kCallerAlbum, 21},
  };
  auto engine = makeEngine();
  OCRData album = makeQuery("", "", "Harbour Lights");
  std::list<OCRData> tracks = trackQueries(cases);
  printedBy([&] { engine->findAlbumTracks(&album, &tracks); });
  expectAnswers(cases, tracks);

  for (const OCRData& track : tracks) {
    EXPECT_EQ(track.album, "Harbour Lights");
    EXPECT_EQ(track.albumAlt1, "");
  }
  // Pass 1 answers keep the album id of the album query (none here); the others take the
  // found track's.
  EXPECT_EQ(std::next(tracks.begin(), 0)->albumId, "");
  EXPECT_EQ(std::next(tracks.begin(), 1)->albumId, "504");
  EXPECT_EQ(std::next(tracks.begin(), 3)->albumId, "501");
  EXPECT_EQ(std::next(tracks.begin(), 3)->artistId, "2");
  EXPECT_EQ(std::next(tracks.begin(), 5)->artistId, "1");
}

TEST_F(AlbumTracksTest, UpcNamesTheAlbumAndTheTracksOwnArtistComesFirst) {
  const std::vector<TrackCase> cases = {
      // No artist of its own, so the album's stands in: title 90, artist 100 -> 36 + 15 +
      // 45 = 96.
      {"album track", "Lamplightr", "", "", 96, "1002", "Lamplighter", "Marlow Quay",
       kCallerAlbum, 21},
      // The album artist's best is 60 (no title in common); its own artist's Paper Moons on
      // Paper Rooms (28): 40 + 4.2 + 45 = 89.2, boosted to 89.956.
      {"own artist", "Paper Moons", "Harriet Vance", "", 90, "1007", "Paper Moons", "Harriet Vance",
       "Paper Rooms", 28},
  };
  auto engine = makeEngine();
  // "Harbor Lites" scores 71 against Harbour Lights, the album of the UPC.
  OCRData album = makeQuery("", "Marlow Quay", "Harbor Lites");
  album.upc = "700000000017";
  std::list<OCRData> tracks = trackQueries(cases);
  printedBy([&] { engine->findAlbumTracks(&album, &tracks); });
  EXPECT_EQ(album.album, "Harbour Lights");
  EXPECT_EQ(album.albumAlt1, "Harbor Lites");
  EXPECT_EQ(album.albumId, "501");
  expectAnswers(cases, tracks);

  const OCRData& onAlbum = tracks.front();
  EXPECT_EQ(onAlbum.album, "Harbour Lights");
  EXPECT_EQ(onAlbum.upc, "700000000017");
  EXPECT_EQ(onAlbum.albumId, "501");
  EXPECT_EQ(onAlbum.artist, "Marlow Quay");
  EXPECT_EQ(onAlbum.artistAlt1, "");
  const OCRData& ownArtist = tracks.back();
  EXPECT_EQ(ownArtist.artist, "Harriet Vance");
  EXPECT_EQ(ownArtist.artistAlt1, "");
  EXPECT_EQ(ownArtist.albumId, "503");
}

}  // namespace

// Whole albums: each query answered with its own track of the album, by its own artist,
// and a title the album lacks left unanswered whatever the artist.
struct AlbumQuery {
  const char* title;
  const char* artist;
  const char* id;     // "" for no answer
  const char* track;  // the catalogue's title of `id`
};

struct WholeAlbumCase {
  const char* what;
  int options;
  const char* albumText;
  const char* albumArtist;
  std::vector<AlbumQuery> queries;
};

void PrintTo(const WholeAlbumCase& c, std::ostream* os) { *os << c.what; }

const char kRemix[] = "Riptide (Velvet Hours Remix)";
const char kOriginal[] = "Riptide (Original Mix)";

class WholeAlbumTest : public EngineTest, public testing::WithParamInterface<WholeAlbumCase> {};

TEST_P(WholeAlbumTest, EachQueryGetsItsOwnTrack) {
  const WholeAlbumCase& c = GetParam();
  auto engine = makeEngine(c.options);
  OCRData album = makeQuery("", c.albumArtist, c.albumText);
  std::list<OCRData> tracks;
  for (const AlbumQuery& q : c.queries) tracks.push_back(makeQuery(q.title, q.artist, ""));
  printedBy([&] { engine->findAlbumTracks(&album, &tracks); });
  auto q = c.queries.begin();
  for (const OCRData& track : tracks) {
    SCOPED_TRACE(std::string("query ") + q->title + " / " + q->artist);
    if (*q->id == '\0') {
      EXPECT_LT(track.mediaScore, 70) << track.mediaId;
    } else {
      EXPECT_EQ(track.mediaId, q->id);
      EXPECT_GE(track.mediaScore, 70);
      // With the fuzzy stage every answer carries its names, exact hits' too.
      if (c.options & OPT_FUZZY) {
        EXPECT_EQ(track.mediaName, q->track);
        EXPECT_EQ(track.albumName, "Tide Remixes");
        EXPECT_FALSE(track.artistName.empty());
      }
    }
    ++q;
  }
}

// Tide Remixes by Marlow Quay: a remix by Velvet Hours, one title twice.
const std::vector<AlbumQuery> kOneByOne = {{kRemix, "Velvet Hours", "1702", kRemix},
                                           {kOriginal, "", "1701", kOriginal},
                                           {"Untitled", "", "1704", "Untitled"},
                                           {"Untitled", "", "1704", "Untitled"},
                                           {"Zzyzx Road", "", "", ""}};
const std::vector<AlbumQuery> kPaired = {{kRemix, "Velvet Hours", "1702", kRemix},
                                         {kOriginal, "", "1701", kOriginal},
                                         {"Untitled", "", "1703", "Untitled"},
                                         {"Untitled", "", "1704", "Untitled"},
                                         {"Zzyzx Road", "", "", ""}};
// As a compilation is sent: every track with its own artist.
const std::vector<AlbumQuery> kCompilation = {
    {kRemix, "Velvet Hours", "1702", kRemix},
    {"Harbour Wall", "Marlow Quay", "1705", "Harbour Wall"},
    {"Zzyzx Road", "Marlow Quay", "", ""}};

INSTANTIATE_TEST_SUITE_P(
    Albums, WholeAlbumTest,
    testing::Values(
        // Track by track, a title twice on the album gets one track twice.
        WholeAlbumCase{"TrackByTrack", 0, "Tide Remixes", "Marlow Quay", kOneByOne},
        WholeAlbumCase{"Paired", OPT_FUZZY, "Tide Remixes", "Marlow Quay", kPaired},
        WholeAlbumCase{"Compilation", 0, "Tide Remixes", "Various Artists", kCompilation},
        WholeAlbumCase{"PairedCompilation", OPT_FUZZY, "Tide Remixes", "Various Artists",
                       kCompilation},
        // No album is named so: the tracks' titles and artists find it.
        WholeAlbumCase{"GarbledAlbum", OPT_FUZZY, "Tyde Remixs", "Marlow Quay", kPaired}),
    [](const testing::TestParamInfo<WholeAlbumCase>& info) { return info.param.what; });
