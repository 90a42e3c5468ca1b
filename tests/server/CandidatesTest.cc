// Candidates requests answered end to end through a real ostrevd with the fuzzy stage, and
// through the real ostrevc.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/Subprocess.h"

namespace {

using nlohmann::json;

class CandidatesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new ServerUnderTest({"--fuzzy"});
    ASSERT_TRUE(server_->ready()) << server_->program().err();
  }
  static void TearDownTestSuite() {
    server_->send({fixedRequest("shutdown")});
    server_->program().wait();
    delete server_;
  }
  // The answer parsed; a discarded value when it is not one JSON object.
  static json ask(const std::string& items) {
    Exchange ex = server_->send({variableRequest("identify_candidates|" + items)});
    EXPECT_TRUE(ex.closedByServer);
    return json::parse(ex.answer, nullptr, /*allow_exceptions=*/false);
  }
  static ServerUnderTest* server_;
};

ServerUnderTest* CandidatesTest::server_ = nullptr;

std::vector<long long> trackIds(const json& answer) {
  std::vector<long long> ids;
  for (const json& candidate : answer["candidates"]) ids.push_back(candidate["track_id"]);
  return ids;
}

TEST_F(CandidatesTest, ListsTheAnswerFirstThenTheNextBest) {
  const struct {
    const char* items;
    std::vector<long long> firstIds;  // the answer, then what must follow it
    size_t count;
    bool ambiguous;
  } cases[] = {
      // The same title on two albums of the artist, no album given: cannot tell them apart.
      {"artist:The Beatles|title:Come Together|limit:2|", {100, 104}, 2, true},
      {"artist:Björk|album:Homogenic|title:Jóga|limit:1|", {102}, 1, false},
      {"artist:Bjork|album:Homogenic|title:Joga|", {102, 105}, 5, false},
      {"artist:Gnus N Rosses|title:Swet Child O Mine|limit:3|", {103}, 3, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.items);
    const json answer = ask(c.items);
    ASSERT_TRUE(answer.is_object()) << answer;
    const std::vector<long long> ids = trackIds(answer);
    ASSERT_GE(ids.size(), c.firstIds.size()) << answer;
    EXPECT_LE(ids.size(), c.count) << answer;
    EXPECT_EQ(std::vector<long long>(ids.begin(), ids.begin() + c.firstIds.size()), c.firstIds)
        << answer;
    EXPECT_EQ(answer["ambiguous"], c.ambiguous) << answer;
    // After the answer, best first.
    for (size_t i = 2; i < answer["candidates"].size(); ++i) {
      EXPECT_GE(answer["candidates"][i - 1]["score"], answer["candidates"][i]["score"]) << answer;
    }
    const json& best = answer["candidates"][0];
    for (const char* field : {"track", "artist", "album", "stage"}) {
      EXPECT_TRUE(best[field].is_string()) << field;
    }
    EXPECT_TRUE(best["similarity"]["title"].is_number()) << answer;
  }
}

// Every answer is verified whatever found it: another version or too little to tell holds
// it below the confident 75 with its reasons; an identifier of one recording decides.
TEST_F(CandidatesTest, VerifiesTheAnswerAndSaysWhy) {
  constexpr long long kAny = -1;
  const struct {
    const char* items;
    long long trackId;    // the answer; 0 for none
    const char* stage;
    bool confident;
    const char* reason;   // the answer's first reason, "" for none
  } cases[] = {
      {"artist:The Beatles|album:Abbey Road|title:Come Together (Live)|", 100, "", false,
       "version differs: live / none"},
      {"isrc:GBAMB9700012|", 102, "isrc", true, ""},
      {"isrc:GBAMB9700012|artist:Guns N' Roses|title:Sweet Child O' Mine|", 102, "isrc", false,
       "identifier and text disagree"},
      {"upc:77774644624|title:Somethin|", 101, "upc", true, ""},
      {"upc:77774644624|title:Come Together (Live)|", 100, "upc", false,
       "version differs: live / none"},
      {"artist:Nobody We Know|title:Come Togethr|", 100, "", false, "artist matches nothing"},
      // Recordings the catalogue does not hold: another by the artist, another part.
      {"artist:The Beatles|album:Abbey Road|title:Here Comes the Sun|", kAny, "", false, nullptr},
      {"artist:Guns N' Roses|title:Sweet Child O' Mine (Part 2)|", 103, "", false,
       "number differs: 2 / none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.items);
    const json answer = ask(std::string(c.items) + "limit:2|");
    ASSERT_TRUE(answer.is_object()) << answer;
    ASSERT_FALSE(answer["candidates"].empty()) << answer;
    const json& best = answer["candidates"][0];
    if (c.trackId != kAny) {
      EXPECT_EQ(best["track_id"], c.trackId) << answer;
    }
    if (*c.stage != '\0') {
      EXPECT_EQ(best["stage"], c.stage) << answer;
    }
    EXPECT_EQ(best["score"].get<double>() >= 75, c.confident) << answer;
    const std::string reason =
        best.contains("reasons") ? best["reasons"][0].get<std::string>() : "";
    if (c.reason != nullptr) {
      EXPECT_EQ(reason, c.reason) << answer;
    }
  }
}

// Quotes, backslashes and bytes that are not UTF-8, in the query and in catalogue names:
// the answer is always one valid JSON object.
TEST_F(CandidatesTest, AnswersValidJsonWhateverTheBytes) {
  const json quoted = ask("artist:Guns N' Roses|title:Back\\slash \"Quoted\"|limit:1|");
  ASSERT_TRUE(quoted.is_object());
  EXPECT_EQ(quoted["candidates"][0]["track"], "Back\\slash \"Quoted\"") << quoted;
  for (const std::string& items :
       {std::string("title:\xff\xfe\x80 broken|"), std::string("artist:\"}]{|title:\\u0000|"),
        std::string("title:") + std::string(3000, 'x') + "|", std::string("limit:3|")}) {
    EXPECT_TRUE(ask(items).is_object()) << items.substr(0, 40);
  }
}

TEST_F(CandidatesTest, RefusesALimitItCannotUse) {
  for (const char* limit : {"0", "51", "-1", "five", ""}) {
    const json answer = ask(std::string("title:Jóga|limit:") + limit + "|");
    EXPECT_TRUE(answer["error"].is_string()) << limit << ": " << answer;
  }
}

std::string clientProgram() {
  const char* path = getenv("OSTREVC");
  return path != nullptr ? path : "ostrevc";
}

// The options may stand anywhere before the file; without them the eight lines are as ever.
TEST_F(CandidatesTest, ClientPrintsJsonWhenAsked) {
  const std::string socket = "--socket=" + server_->socketPath();
  const std::string song = "Artist|The Beatles\nAlbum|Abbey Road\nSong|Come Together\n";
  ProgramRun plain = runProgram({clientProgram(), socket, "-"}, {}, song);
  EXPECT_EQ(plain.out.rfind("Artist|The Beatles\n", 0), 0u) << plain.out;

  ProgramRun asJson = runProgram({clientProgram(), "--json", socket, "-"}, {}, song);
  EXPECT_EQ(asJson.exitStatus, 0) << asJson.err;
  const json answer = json::parse(asJson.out, nullptr, false);
  EXPECT_EQ(answer["track_id"], 100) << asJson.out;
  EXPECT_EQ(answer["track"], "Come Together") << asJson.out;
  EXPECT_EQ(answer["score"], 100) << asJson.out;

  ProgramRun listed = runProgram({clientProgram(), socket, "--candidates", "2", "-"}, {}, song);
  EXPECT_EQ(listed.exitStatus, 0) << listed.err;
  const json candidates = json::parse(listed.out, nullptr, false);
  EXPECT_EQ(trackIds(candidates).front(), 100) << listed.out;

  // A '|' would end its item of the request: it goes as a space.
  ProgramRun bar = runProgram({clientProgram(), socket, "--candidates", "2", "-"}, {},
                              "Song|Come|Together\n");
  EXPECT_EQ(bar.exitStatus, 0) << bar.err;
  EXPECT_TRUE(json::parse(bar.out, nullptr, false).contains("candidates")) << bar.out;
}

}  // namespace
