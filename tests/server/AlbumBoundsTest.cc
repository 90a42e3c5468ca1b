// Album-tracks requests kept within bounds: too many tracks are refused before any look-up,
// and a request whose client has gone is abandoned between tracks.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>

#include <cstring>
#include <list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "album_descriptor.h"
#include "server/LockableCatalogue.h"
#include "support/ServerUnderTest.h"
#include "support/SocketClient.h"
#include "support/TestNames.h"
#include "wire/socket_io.h"
#include "wire/wire_format.h"

namespace {

// An album request for `tracks` copies of "Come Together" (track 100).
std::string albumRequest(int tracks) {
  std::string descriptor = "identify_album_tracks|album:Abbey Road|artist:The Beatles|";
  for (int i = 0; i < tracks; ++i) descriptor += "title:Come Together|";
  return variableRequest(descriptor);
}

int entries(const std::string& reply) {
  int n = 0;
  for (size_t at = reply.find("'mediaId' => '100'"); at != std::string::npos;
       at = reply.find("'mediaId' => '100'", at + 1)) {
    ++n;
  }
  return n;
}

struct CountCase {
  const char* what;
  std::string descriptor;
  size_t tracks;
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << testing::PrintToString(c.descriptor); }

class AlbumTrackCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(AlbumTrackCountTest, CountsWhatTheParseReads) {
  const CountCase& c = GetParam();
  OCRData album;
  std::list<OCRData> tracks;
  std::ostringstream messages;
  parseAlbumDescriptor(c.descriptor, &album, &tracks, messages);
  EXPECT_EQ(tracks.size(), c.tracks);
  EXPECT_EQ(albumTrackCount(c.descriptor), c.tracks);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, AlbumTrackCountTest,
    testing::Values(CountCase{"no_titles", "album:A|artist:B|upc:1|", 0},
                    CountCase{"empty_titles", "title:|title:y|artist:z|title:|", 2},
                    CountCase{"unterminated_and_keyless", "title:x|:title|title|title:z", 1}),
    NameByWhat());

struct LimitCase {
  const char* what;
  std::vector<std::string> env;
  int tracks;
  std::string refusal;  // the log line; "" when the request is answered
};

void PrintTo(const LimitCase& c, std::ostream* os) {
  *os << c.tracks << " tracks, environment " << testing::PrintToString(c.env);
}

class AlbumTrackLimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(AlbumTrackLimitTest, RefusesLongerAlbums) {
  const LimitCase& c = GetParam();
  ServerUnderTest server({"--synonym"}, c.env);
  ASSERT_TRUE(server.ready()) << server.program().err();
  Exchange ex = server.send({albumRequest(c.tracks)});
  EXPECT_TRUE(ex.closedByServer);
  if (c.refusal.empty()) {
    EXPECT_EQ(entries(ex.answer), c.tracks) << ex.answer;
    return;
  }
  EXPECT_EQ(ex.answer, "");
  EXPECT_TRUE(server.program().waitForOutput(c.refusal + "\n")) << server.program().out();
  // The server goes on with the next request.
  EXPECT_EQ(entries(server.send({albumRequest(1)}).answer), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, AlbumTrackLimitTest,
    testing::Values(
        LimitCase{"at_the_limit", {"OSTREV_ALBUM_MAX_TRACKS=3"}, 3, ""},
        LimitCase{"over_the_limit",
                  {"OSTREV_ALBUM_MAX_TRACKS=3"},
                  4,
                  "Album request refused: 4 tracks, at most 3"},
        LimitCase{"over_the_default", {}, 2001, "Album request refused: 2001 tracks, at most 2000"},
        LimitCase{"setting_out_of_range_keeps_the_default",
                  {"OSTREV_ALBUM_MAX_TRACKS=0"},
                  2001,
                  "Album request refused: 2001 tracks, at most 2000"}),
    NameByWhat());

// Everything the server sends until it closes, at most `timeoutMs` long.
std::string readUntilClosed(int fd, int timeoutMs) {
  std::string received;
  const long long deadline = monotonicMs() + timeoutMs;
  for (long long left = timeoutMs; left > 0; left = deadline - monotonicMs()) {
    pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[4096];
    ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
    if (n <= 0) break;
    received.append(buffer, n);
  }
  return received;
}

struct EndingCase {
  const char* what;
  bool closes;  // else the client only shuts its sending side and waits for the reply
};

void PrintTo(const EndingCase& c, std::ostream* os) { *os << c.what; }

class AbandonedAlbumTest : public testing::TestWithParam<EndingCase> {
 protected:
  static void SetUpTestSuite() {
    catalogue_ = std::make_unique<LockableCatalogue>("ALBUM_BOUNDS_TEST");
  }
  static void TearDownTestSuite() { catalogue_.reset(); }
  static std::unique_ptr<LockableCatalogue> catalogue_;
};

std::unique_ptr<LockableCatalogue> AbandonedAlbumTest::catalogue_;

// The first track's statement waits on a locked table while the client goes; the lock is
// released once it has.
TEST_P(AbandonedAlbumTest, StopsBetweenTracksOnlyWhenTheClientHasGone) {
  const EndingCase& c = GetParam();
  ASSERT_TRUE(catalogue_->ok());
  ServerUnderTest server({"--synonym", "--dbname=" + catalogue_->database()});
  ASSERT_TRUE(server.ready()) << server.program().err();

  ASSERT_TRUE(catalogue_->lockTables());
  unique_fd client(connectToServer(server.socketPath()));
  ASSERT_GE(client.get(), 0);
  const std::string request = albumRequest(3);
  ASSERT_TRUE(sendFully(client.get(), request.data(), request.size()));
  EXPECT_NE(catalogue_->waitForBlockedSession(5000), "");
  if (c.closes) {
    client = unique_fd();
  } else {
    shutdown(client.get(), SHUT_WR);
  }
  ASSERT_TRUE(catalogue_->unlockTables());

  const std::string abandoned = "Client gone, album request abandoned after 0 of 3 tracks\n";
  if (c.closes) {
    EXPECT_TRUE(server.program().waitForOutput(abandoned)) << server.program().out();
  } else {
    EXPECT_EQ(entries(readUntilClosed(client.get(), 10000)), 3);
    EXPECT_EQ(server.program().out().find(abandoned), std::string::npos);
  }
  // The next request is answered either way.
  EXPECT_EQ(entries(server.send({albumRequest(1)}).answer), 1);
}

INSTANTIATE_TEST_SUITE_P(Endings, AbandonedAlbumTest,
                         testing::Values(EndingCase{"client_closes", true},
                                         EndingCase{"client_half_closes", false}),
                         NameByWhat());

}  // namespace
