// Album-tracks requests answered end to end through a real ostrevd.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"

namespace {

TEST(AlbumTracksCommandTest, IdentifiesEveryTrackOfTheAlbum) {
  ServerUnderTest server({"--onerequest"});
  ASSERT_TRUE(server.ready()) << server.program().err();
  Exchange ex = server.send({variableRequest(
      "identify_album_tracks|album:Abbey Road|artist:The Beatles|title:Somethin|"
      "title:Come Togther|title:Don't 'Quote' Me\\|")});
  EXPECT_TRUE(ex.closedByServer);
  EXPECT_EQ(ex.answer.rfind("$x = [ { 'album' => 'Abbey Road', 'artist' => 'The Beatles', "
                            "'title' => 'Somethin', ",
                            0),
            0u)
      << ex.answer;
  EXPECT_NE(ex.answer.find("'mediaId' => '101', 'mediaName' => 'Something', "), std::string::npos)
      << ex.answer;
  EXPECT_NE(ex.answer.find("'title' => 'Come Togther', "), std::string::npos) << ex.answer;
  EXPECT_NE(ex.answer.find("'title' => 'Don\\'t \\'Quote\\' Me\\\\', "), std::string::npos)
      << ex.answer;
  ASSERT_GE(ex.answer.size(), 7u);
  EXPECT_EQ(ex.answer.substr(ex.answer.size() - 7), "},  ];\n");
  ProgramRun run = server.program().wait();
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.out.find("\nidentify_album_tracks_command::do_it\nalbum:Abbey Road|"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("OCRData.title:  [Somethin]\n"), std::string::npos) << run.out;
}

TEST(AlbumTracksCommandTest, DescriptorWithoutTracksGetsAnEmptyList) {
  ServerUnderTest server({"--onerequest"});
  ASSERT_TRUE(server.ready()) << server.program().err();
  Exchange ex = server.send({variableRequest("album:Nothing|artist:Nobody|")});
  EXPECT_EQ(ex.answer, "$x = [  ];\n");
  EXPECT_EQ(server.program().wait().exitStatus, 0);
}

// A track whose every text is garbled is found by the fuzzy stage, as identify requests are.
struct GarbledAlbumCase {
  std::vector<std::string> args;
  bool found;
};

class GarbledAlbumTest : public testing::TestWithParam<GarbledAlbumCase> {};

TEST_P(GarbledAlbumTest, FuzzyStageFindsTheTrack) {
  std::vector<std::string> args = GetParam().args;
  args.push_back("--onerequest");
  ServerUnderTest server(args);
  ASSERT_TRUE(server.ready()) << server.program().err();
  Exchange ex = server.send({variableRequest(
      "identify_album_tracks|album:Apetite for Destructoin|artist:Gnus N Rosses|"
      "title:Sweet Chlid O Mine|")});
  EXPECT_EQ(ex.answer.find("'mediaId' => '103'") != std::string::npos, GetParam().found)
      << ex.answer;
  EXPECT_EQ(server.program().wait().exitStatus, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, GarbledAlbumTest,
                         testing::Values(GarbledAlbumCase{{}, false},
                                         GarbledAlbumCase{{"--fuzzy"}, true}));

}  // namespace
