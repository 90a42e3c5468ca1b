// Identify requests answered end to end: a real ostrevd on the fixture catalogue, asked
// through the real ostrevc.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/Query.h"
#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/Subprocess.h"
#include "support/TestCatalogue.h"
#include "support/TestNames.h"
#include "wire/wire_format.h"

namespace {

std::string clientProgram() {
  const char* path = getenv("OSTREVC");
  return path != nullptr ? path : "ostrevc";
}

class IdentifyCommandTest : public testing::Test {
 protected:
  void start(const std::vector<std::string>& args = {}) {
    server_ = std::make_unique<ServerUnderTest>(args);
    ASSERT_TRUE(server_->ready()) << server_->program().err();
  }
  void TearDown() override {
    if (server_) {
      server_->send({fixedRequest("shutdown")});
      server_->program().wait();
    }
  }
  // The eight answer lines ostrevc prints for a song description.
  std::string ask(const std::string& song) {
    ProgramRun run = runProgram({clientProgram(), "--socket=" + server_->socketPath(), "-"}, {},
                                song);
    EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
    return run.out;
  }
  std::unique_ptr<ServerUnderTest> server_;
};

std::string field(const std::string& answer, const std::string& key) {
  size_t at = answer.find(key + "|");
  if (at == std::string::npos) return "<missing>";
  at += key.size() + 1;
  return answer.substr(at, answer.find('\n', at) - at);
}

struct SongCase {
  const char* what;
  std::string song;
  std::string trackId;
  std::string matchScore;  // "" when any score will do
};

class IdentifySongTest : public IdentifyCommandTest,
                         public testing::WithParamInterface<SongCase> {};

TEST_P(IdentifySongTest, FindsTheTrack) {
  const SongCase& c = GetParam();
  SCOPED_TRACE(std::string(c.what) + ":\n" + c.song);
  start();
  std::string answer = ask(c.song);
  EXPECT_EQ(field(answer, "IDTrack"), c.trackId) << answer;
  if (!c.matchScore.empty()) {
    EXPECT_EQ(field(answer, "MatchScore"), c.matchScore) << answer;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Songs, IdentifySongTest,
    testing::Values(
        SongCase{"exact", "Artist|The Beatles\nAlbum|Abbey Road\nSong|Come Together\n", "100",
                 ""},
        SongCase{"misspelt title", "Artist|The Beatles\nAlbum|Abey Road\nSong|Come Togther\n",
                 "100", ""},
        SongCase{"accents missing", "Artist|Bjork\nAlbum|Homogenic\nSong|Joga\n", "102", ""},
        SongCase{"by ISRC alone", "Song|x\nISRC|GBAMB9700012\n", "102", ""},
        SongCase{"ISRC unknown, text found", "Artist|Bjork\nSong|Joga\nISRC|XX0000000000\n",
                 "102", ""},
        SongCase{"nothing alike", "Artist|Qqqqq\nAlbum|Zzzzz\nSong|Xxxxx\n", "0", "10"}),
    NameByWhat());

// Every field garbled: only the fuzzy stage finds the track, in either table mode, and
// says at start-up what it indexed.
struct FuzzyCase {
  const char* what;
  std::vector<std::string> args;
  std::string trackId;
};

class FuzzyStageTest : public IdentifyCommandTest,
                       public testing::WithParamInterface<FuzzyCase> {};

TEST_P(FuzzyStageTest, FindsATrackGarbledInEveryField) {
  start(GetParam().args);
  const std::string answer =
      ask("Artist|Gnus N Rosses\nAlbum|Apetite for Destructoin\nSong|Sweet Chlid O Mine\n");
  EXPECT_EQ(field(answer, "IDTrack"), GetParam().trackId) << answer;
  server_->send({fixedRequest("shutdown")});
  ProgramRun run = server_->program().wait();
  server_.reset();
  const bool fuzzy = GetParam().trackId != "0";
  EXPECT_EQ(run.out.find("fuzzy index: ") != std::string::npos, fuzzy) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FuzzyStageTest,
    testing::Values(FuzzyCase{"without the option", {}, "0"},
                    FuzzyCase{"joined tables", {"--fuzzy"}, "103"},
                    FuzzyCase{"abbreviated, triplets", {"-fu", "--triplets"}, "103"}),
    NameByWhat());

// Hostile texts reach the fuzzy stage too: each is answered, and the server goes on.
TEST_F(IdentifyCommandTest, FuzzyStageAnswersBadInput) {
  start({"--fuzzy"});
  const std::string longest(199, 'a');
  const std::vector<std::vector<std::string>> requests = {
      {"", "", ""},
      {longest, longest, longest},
      {"\xff\xfe\xc3", "\xe2\x82", "\xf0\x9f"},
      {"!!!", "...", "&&&"},
      {"' or 1=1 --", "\\", "\"\""}};
  for (const auto& fields : requests) {
    SCOPED_TRACE("'" + fields[0] + "' / '" + fields[1] + "' / '" + fields[2] + "'");
    const Exchange ex = server_->send({fixedRequest("identify", fields[0], fields[1], fields[2])});
    EXPECT_EQ(ex.answer.size(), kResultSize);
  }
  EXPECT_EQ(field(ask("Artist|The Beatles\nSong|Come Together\n"), "IDTrack"), "100");
}

// A track added to the catalogue is found after SIGHUP, and requests sent while the index
// is rebuilt are all answered.
TEST_F(IdentifyCommandTest, FuzzyIndexIsRebuiltOnHangup) {
  Connection catalogue;
  ASSERT_TRUE(openTestDatabase(catalogue, "FUZZY_TEST"));
  // Left from an earlier run of this test, if any.
  for (const char* statement : {"delete from matchtracks where id = 200",
                                "delete from matchalbums where id = 20",
                                "delete from matchartists where id = 7"}) {
    ASSERT_TRUE(doQuery(catalogue.getMyHandle(), statement, "test")) << statement;
  }
  start({"--fuzzy", "--dbname=FUZZY_TEST"});
  const std::string garbled = "Artist|Oasiss\nAlbum|Morning Glori\nSong|Wonderwal\n";
  ASSERT_NE(field(ask(garbled), "IDTrack"), "200");
  // How many tracks the first index holds, so as to wait for one more.
  std::smatch built;
  const std::string log = server_->program().out();
  ASSERT_TRUE(std::regex_search(log, built, std::regex("fuzzy index: ([0-9]+) tracks"))) << log;
  const std::string rebuilt =
      "fuzzy index: " + std::to_string(std::stoi(built[1]) + 1) + " tracks";

  for (const char* statement :
       {"insert into matchartists (id, display_name, normalized_name) values (7, 'Oasis', "
        "'oasis')",
        "insert into matchalbums (id, name, artist_id, multiple_artists) values (20, "
        "'Morning Glory', 7, 0)",
        "insert into matchtracks (id, name, artist_id, album_id) values (200, 'Wonderwall', 7, "
        "20)"}) {
    ASSERT_TRUE(doQuery(catalogue.getMyHandle(), statement, "test")) << statement;
  }
  ASSERT_EQ(kill(server_->program().pid(), SIGHUP), 0);
  // Answered all the while; the new index says it holds one track more.
  for (int i = 0; i < 200 && server_->program().out().find(rebuilt) == std::string::npos;
       ++i) {
    EXPECT_EQ(field(ask("Artist|The Beatles\nSong|Come Together\n"), "IDTrack"), "100");
  }
  EXPECT_EQ(field(ask(garbled), "IDTrack"), "200");
}

TEST_F(IdentifyCommandTest, AnswersWithNamesIdsAndScores) {
  start();
  std::string answer = ask("Artist|The Beatles\nAlbum|Abbey Road\nSong|Come Together\n");
  EXPECT_EQ(answer,
            "Artist|The Beatles\nAlbum|Abbey Road\nTrack|Come Together\nIDArtist|1\n"
            "IDAlbum|10\nIDTrack|100\nMatchScore|100\nAlbumScore|100\n");
  server_->send({fixedRequest("shutdown")});
  ProgramRun run = server_->program().wait();
  server_.reset();
  EXPECT_NE(run.out.find("artist: [1] \tThe Beatles\nalbum:  [10] \tAbbey Road\n"
                         "track:  [100] \tCome Together\nscore:  [100]\nalbum score: [100]\n"
                         "----------------------------------------------\n\n"),
            std::string::npos)
      << run.out;
}

// Quiet mode: no request or result lines, only the candidates' ids and scores, the dash
// line and the queue sizes.
TEST_F(IdentifyCommandTest, SynonymModeLogsNoResultLines) {
  start({"--synonym"});
  ask("Artist|The Beatles\nSong|Something\n");
  server_->send({fixedRequest("shutdown")});
  ProgramRun run = server_->program().wait();
  server_.reset();
  EXPECT_NE(run.out.find("\n----------------------------------------------\n\nQueue Size: 1\n\n"),
            std::string::npos)
      << run.out;
  for (const char* absent : {"Received", "artist: [", "score:  [", "initialized", "TIME:"}) {
    EXPECT_EQ(run.out.find(absent), std::string::npos) << absent << "\n" << run.out;
  }
}

struct IsrcCase {
  const char* what;
  std::string isrc;
  bool lookedUp;
};

class IdentifyIsrcTest : public IdentifyCommandTest,
                         public testing::WithParamInterface<IsrcCase> {};

// Only a 12-byte ISRC is ever looked up; the statement log shows it.
TEST_P(IdentifyIsrcTest, LooksUpOnlyTwelveByteIsrcs) {
  const IsrcCase& c = GetParam();
  SCOPED_TRACE(c.isrc);
  start({"--synonym", "--debugqueries"});
  ask("Artist|Bjork\nSong|Joga\nISRC|" + c.isrc + "\n");
  server_->send({fixedRequest("shutdown")});
  ProgramRun run = server_->program().wait();
  server_.reset();
  EXPECT_EQ(run.err.find("Query::selectTracksByISRC") != std::string::npos, c.lookedUp);
}

INSTANTIATE_TEST_SUITE_P(Lengths, IdentifyIsrcTest,
                         testing::Values(IsrcCase{"eleven", "GBAMB970001", false},
                                         IsrcCase{"twelve", "GBAMB9700012", true},
                                         IsrcCase{"thirteen", "GBAMB97000123", false}),
                         NameByWhat());

TEST_F(IdentifyCommandTest, QueryTextsAreCutTo70Bytes) {
  start({"--synonym", "--debugqueries"});
  ask("Artist|" + std::string(100, 'A') + "\nSong|Joga\n");
  server_->send({fixedRequest("shutdown")});
  ProgramRun run = server_->program().wait();
  server_.reset();
  EXPECT_NE(run.err.find("'" + std::string(70, 'A') + "'"), std::string::npos);
  EXPECT_EQ(run.err.find(std::string(71, 'A')), std::string::npos);
}

// A character that the 70th byte would split is left out whole: half a character in a
// statement would match nothing.
TEST_F(IdentifyCommandTest, TheCutNeverSplitsACharacter) {
  start({"--synonym", "--debugqueries"});
  ask("Artist|" + std::string(69, 'A') + "\xc3\xa9 and more\nSong|Joga\n");
  server_->send({fixedRequest("shutdown")});
  ProgramRun run = server_->program().wait();
  server_.reset();
  EXPECT_NE(run.err.find("'" + std::string(69, 'A') + "'"), std::string::npos);
  EXPECT_EQ(run.err.find(std::string(69, 'A') + "\xc3"), std::string::npos);
}

TEST_F(IdentifyCommandTest, ClientGoneBeforeTheAnswerCostsOneLine) {
  start({"--synonym"});
  {
    int fd = connectToServer(server_->socketPath());
    ASSERT_GE(fd, 0);
    std::string request = fixedRequest("identify", "The Beatles", "Abbey Road", "Something");
    ASSERT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    close(fd);
  }
  // The server survives and answers the next client.
  std::string answer = ask("Artist|The Beatles\nSong|Come Together\n");
  EXPECT_EQ(field(answer, "IDTrack"), "100");
}

}  // namespace
