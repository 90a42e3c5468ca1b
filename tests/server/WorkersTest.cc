// Several workers behind one intake, through real sockets: every client gets the answer
// to its own request, whatever else the server is busy with.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "wire/wire_format.h"

namespace {

struct Asked {
  const char* artist;
  const char* album;
  const char* title;
  int32_t trackId;
};

const Asked kAsked[] = {
    {"The Beatles", "Abbey Road", "Come Together", 100},
    {"Björk", "Homogenic", "Jóga", 102},
    {"Guns N' Roses", "Appetite for Destruction", "Sweet Child O' Mine", 103},
    {"Emoji 🎸 Band", "Strings 🎸", "Riff 🎸", 106},
};

int32_t answeredTrack(const Exchange& ex) {
  if (ex.answer.size() != kResultSize) return -1;
  lookup_result result;
  memcpy(&result, ex.answer.data(), sizeof(result));
  return result.track_id;
}

// Eight clients asking different tracks at once, while a silent client and a slow album
// request hold a worker or the intake each: no answer may go to the wrong client.
TEST(WorkersTest, EveryClientGetsTheAnswerToItsOwnRequest) {
  ServerUnderTest server({"--workers=3"});
  ASSERT_TRUE(server.ready()) << server.program().err();
  const int silent = connectToServer(server.socketPath());
  ASSERT_GE(silent, 0);
  std::string album = "identify_album_tracks|album:Abbey Road|artist:The Beatles|";
  for (int i = 0; i < 200; ++i) album += "title:Sumthing " + std::to_string(i) + "|";
  std::thread albumClient([&] { server.send({variableRequest(album)}); });

  constexpr int kClients = 8;
  constexpr int kRequests = 12;
  std::vector<std::vector<int32_t>> answers(kClients);
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      for (int r = 0; r < kRequests; ++r) {
        const Asked& asked = kAsked[(c + r) % std::size(kAsked)];
        answers[c].push_back(answeredTrack(
            server.send({fixedRequest("identify", asked.artist, asked.album, asked.title)})));
      }
    });
  }
  for (std::thread& client : clients) client.join();
  albumClient.join();
  close(silent);

  for (int c = 0; c < kClients; ++c) {
    for (int r = 0; r < kRequests; ++r) {
      const Asked& asked = kAsked[(c + r) % std::size(kAsked)];
      EXPECT_EQ(answers[c][r], asked.trackId) << "client " << c << " asked " << asked.title;
    }
  }
  server.send({fixedRequest("shutdown")});
  EXPECT_EQ(server.program().wait().exitStatus, 0);
}

TEST(WorkersTest, RefusesAWorkerCountItCannotUse) {
  for (const char* value : {"0", "65", "two", ""}) {
    ProgramRun run = runProgram({serverProgram(), std::string("--workers=") + value});
    EXPECT_EQ(run.exitStatus, 1) << value;
    EXPECT_NE(run.err.find("--workers"), std::string::npos) << value << ": " << run.err;
  }
}

}  // namespace
