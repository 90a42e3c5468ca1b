#include "album_descriptor.h"

#include <gtest/gtest.h>

#include <list>
#include <sstream>
#include <string>

#include "support/TestNames.h"

namespace {

struct Parsed {
  OCRData album;
  std::list<OCRData> tracks;
  std::string messages;
};

Parsed parse(const std::string& descriptor) {
  Parsed parsed;
  std::ostringstream messages;
  parseAlbumDescriptor(descriptor, &parsed.album, &parsed.tracks, messages);
  parsed.messages = messages.str();
  return parsed;
}

// "title/artist/isrc" per track, joined by ";".
std::string trackList(const std::list<OCRData>& tracks) {
  std::string text;
  for (const OCRData& t : tracks) {
    text += (text.empty() ? "" : ";") + t.title + "/" + t.artist + "/" + t.isrc;
  }
  return text;
}

struct DescriptorCase {
  const char* what;
  std::string descriptor;
  std::string album, artist, upc;
  std::string tracks;
  std::string messages;
};

class AlbumDescriptorTest : public testing::TestWithParam<DescriptorCase> {};

TEST_P(AlbumDescriptorTest, ReadsAlbumAndTracks) {
  const DescriptorCase& c = GetParam();
  SCOPED_TRACE(std::string(c.what) + ": " + c.descriptor);
  Parsed parsed = parse(c.descriptor);
  EXPECT_EQ(parsed.album.album, c.album);
  EXPECT_EQ(parsed.album.artist, c.artist);
  EXPECT_EQ(parsed.album.upc, c.upc);
  EXPECT_EQ(trackList(parsed.tracks), c.tracks);
  EXPECT_EQ(parsed.messages, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, AlbumDescriptorTest,
    testing::Values(
        DescriptorCase{"full", "album:A|artist:B|upc:123|title:T1|isrc:I1|title:T2|artist:C|", "A",
                       "B", "123", "T1//I1;T2/C/", ""},
        DescriptorCase{"last item unterminated",
                       "album:A|artist:B|upc:123|title:T1|isrc:I1|title:T2|artist:C", "A", "B",
                       "123", "T1//I1;T2//", ""},
        DescriptorCase{"no titles", "album:A|artist:B|", "A", "B", "", "", ""},
        DescriptorCase{"empty last title dropped", "album:A|title:T1|title:|", "A", "", "",
                       "T1//", ""},
        DescriptorCase{"empty title kept before another", "title:|title:T2|", "", "", "",
                       "//;T2//", ""},
        DescriptorCase{"album after the first title", "album:A|title:T1|album:X|", "A", "", "",
                       "T1//", "Unknown descriptor: [album] [X]\n"},
        DescriptorCase{"unknown header key", "album:A|genre:Rock|", "A", "", "", "",
                       "Error in parsing in identify_album_tracks_command::do_it: genre\n"},
        DescriptorCase{"malformed items skipped", "noseparator|:novalue|album:A:B|", "A:B", "",
                       "", "", ""},
        DescriptorCase{"later value wins", "album:A|album:B|title:T|artist:X|artist:Y|", "B", "",
                       "", "T/Y/", ""}),
    NameByWhat());

TEST(TracksReplyTest, OneMatchedTrack) {
  OCRData track;
  track.artist = "B";
  track.title = "T1";
  track.mediaScore = 93;
  track.albumScore = 100;
  track.mediaId = "12";
  track.mediaName = "T1";
  track.albumId = "3";
  track.albumName = "A";
  track.artistId = "7";
  track.artistName = "B";
  EXPECT_EQ(tracksReply({track}),
            "$x = [ { 'album' => '', 'artist' => 'B', 'title' => 'T1', 'isrc' => '', "
            "'upc' => '', 'mediaScore' => '93', 'albumScore' => '100', 'mediaId' => '12', "
            "'mediaName' => 'T1', 'albumId' => '3', 'albumName' => 'A', 'artistId' => '7', "
            "'artistName' => 'B', },  ];\n");
}

TEST(TracksReplyTest, NoTracks) { EXPECT_EQ(tracksReply({}), "$x = [  ];\n"); }

TEST(TracksReplyTest, QuotesAndBackslashesAreEscaped) {
  OCRData track;
  track.title = "Don't \\ Stop";
  track.artistName = "Guns N' Roses";
  track.mediaScore = 87.5f;
  std::string reply = tracksReply({track});
  EXPECT_NE(reply.find("'title' => 'Don\\'t \\\\ Stop', "), std::string::npos) << reply;
  EXPECT_NE(reply.find("'artistName' => 'Guns N\\' Roses', "), std::string::npos) << reply;
  EXPECT_NE(reply.find("'mediaScore' => '87.5', "), std::string::npos) << reply;
}

}  // namespace
