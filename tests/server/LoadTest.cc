// Many clients at once: identify and album-tracks requests mixed with malformed ones. Every
// well-formed request gets its own correct answer, answers follow the order of arrival, the
// malformed ones change nothing for the others, and the server's memory stays flat.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "wire/wire_format.h"

namespace {

struct KnownTrack {
  const char* artist;
  const char* title;
  int32_t id;
};

const KnownTrack kTracks[] = {{"The Beatles", "Come Together", 100},
                              {"Bjork", "Joga", 102},
                              {"Guns N' Roses", "Sweet Child O Mine", 103},
                              {"Emoji \xf0\x9f\x8e\xb8 Band", "Riff \xf0\x9f\x8e\xb8", 106}};

long residentKilobytes(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

TEST(LoadTest, TenClientsFiveHundredRequestsEach) {
  constexpr int kClients = 10;
  constexpr int kRequests = 500;
  ServerUnderTest server({"--synonym"});
  ASSERT_TRUE(server.ready()) << server.program().err();

  std::atomic<int> wrong{0}, unanswered{0};
  auto client = [&](int seed) {
    for (int i = 0; i < kRequests; ++i) {
      int kind = (seed * 7 + i) % 10;
      if (kind == 9) {  // malformed: cut short, or a header that announces nonsense
        sendRequest(server.socketPath(),
                    {i % 2 ? fixedRequest("identify").substr(0, 700)
                           : variableRequest("x", "abcdef")},
                    true);
        continue;
      }
      if (kind == 8) {
        Exchange ex = sendRequest(
            server.socketPath(),
            {variableRequest("identify_album_tracks|album:Homogenic|title:Joga|")});
        if (ex.answer.find("'mediaId' => '102'") == std::string::npos) ++wrong;
        continue;
      }
      const KnownTrack& track = kTracks[(seed + i) % 4];
      Exchange ex = sendRequest(server.socketPath(),
                                {fixedRequest("identify", track.artist, "", track.title)});
      if (ex.answer.size() != sizeof(lookup_result)) {
        ++unanswered;
        continue;
      }
      lookup_result answer;
      memcpy(&answer, ex.answer.data(), sizeof(answer));
      if (answer.track_id != track.id) ++wrong;
    }
  };

  std::vector<long> rss;
  for (int round = 0; round < 2; ++round) {
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) clients.emplace_back(client, c + round * kClients);
    for (std::thread& t : clients) t.join();
    rss.push_back(residentKilobytes(server.program().pid()));
  }
  EXPECT_EQ(unanswered.load(), 0);
  EXPECT_EQ(wrong.load(), 0);
  // The second round repeats the first: beyond the bounded cache, nothing may pile up.
  EXPECT_LT(rss[1] - rss[0], 16 * 1024) << "resident kB after each round: " << rss[0] << ", "
                                         << rss[1];

  sendRequest(server.socketPath(), {fixedRequest("shutdown")});
  EXPECT_EQ(server.program().wait(120).exitStatus, 0);
}

}  // namespace
