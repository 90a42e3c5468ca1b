// ostrevc as a user runs it: the real program against a fake server on a temporary socket.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "client/FakeServer.h"
#include "wire/socket_io.h"
#include "support/Subprocess.h"
#include "wire/wire_format.h"

namespace {

constexpr int kTimeoutSeconds = 10;
const char kSong[] = "Artist|Some Artist\nAlbum|Some Album\nSong|Some Title\n";
const char kOpenFailure[] = "Match: Error: readFile ( ) could not open Song Description file:: ";

std::string clientPath() {
  const char* path = getenv("OSTREVC");
  return path != nullptr ? path : "ostrevc";
}

ProgramRun runClient(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), clientPath());
  return runProgram(args, {}, input, kTimeoutSeconds);
}

lookup_result answerFor(float matchScore, float albumScore) {
  lookup_result result;
  memset(&result, 0, sizeof(result));
  result.track_id = 12;
  setResultName(result.track_name, "T1");
  result.artist_id = 7;
  setResultName(result.artist_name, "B");
  result.album_id = 3;
  setResultName(result.album_name, "A");
  result.match_score = matchScore;
  result.album_score = albumScore;
  return result;
}

std::string bytesOf(const lookup_result& result) {
  return std::string(reinterpret_cast<const char*>(&result), sizeof(result));
}

// `text` with its first `placeholder` replaced by `value`.
std::string replaced(std::string text, const std::string& placeholder, const std::string& value) {
  size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), value);
  return text;
}

// The text of a request field the fake server received.
std::string requestField(const std::string& request, size_t offset, size_t width) {
  return fieldText(request.data() + offset, width);
}

TEST(ClientTest, SendsTheFileAndPrintsTheAnswer) {
  FakeServer server(bytesOf(answerFor(87.5f, 100.0f)));
  std::string song = server.writeFile("song.txt", std::string(kSong) + "UPC|0123\n");
  ProgramRun run = runClient({"--socket=" + server.socketPath(), song});

  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "Artist|B\nAlbum|A\nTrack|T1\nIDArtist|7\nIDAlbum|3\nIDTrack|12\n"
            "MatchScore|87\nAlbumScore|100\n");
  EXPECT_EQ(run.err, "");
  const std::string& request = server.request();
  ASSERT_EQ(request.size(), kQuerySize);
  EXPECT_EQ(request.substr(0, 20), std::string("identify") + std::string(12, '\0'));
  EXPECT_EQ(requestField(request, offsetof(lookup_query, artist), 200), "Some Artist");
  EXPECT_EQ(requestField(request, offsetof(lookup_query, album), 200), "Some Album");
  EXPECT_EQ(requestField(request, offsetof(lookup_query, track), 200), "Some Title");
  EXPECT_EQ(requestField(request, offsetof(lookup_query, isrc), 200), "");
  EXPECT_EQ(requestField(request, offsetof(lookup_query, upc), 200), "0123");
}

// Scores are truncated toward zero; NaN, which a faulty server could send, prints as 0.
TEST(ClientTest, PrintsOddScoresAsIntegers) {
  FakeServer server(bytesOf(answerFor(-1.5f, std::numeric_limits<float>::quiet_NaN())));
  ProgramRun run = runClient({"--socket=" + server.socketPath(), server.writeFile("s", kSong)});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  std::string scores = "\nMatchScore|-1\nAlbumScore|0\n";
  ASSERT_GE(run.out.size(), scores.size()) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - scores.size()), scores);
}

TEST(ClientTest, NamesWithoutNulPrintTheir200Bytes) {
  lookup_result result = answerFor(1, 2);
  memset(result.track_name, 't', sizeof(result.track_name));
  memset(result.artist_name, 'r', sizeof(result.artist_name));
  memset(result.album_name, 'l', sizeof(result.album_name));
  FakeServer server(bytesOf(result));
  ProgramRun run = runClient({"--socket=" + server.socketPath(), server.writeFile("s", kSong)});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "Artist|" + std::string(200, 'r') + "\nAlbum|" + std::string(200, 'l') +
                         "\nTrack|" + std::string(200, 't') +
                         "\nIDArtist|7\nIDAlbum|3\nIDTrack|12\nMatchScore|1\nAlbumScore|2\n");
}

class ClientShortAnswerTest : public testing::TestWithParam<size_t> {};

TEST_P(ClientShortAnswerTest, ReportsServerClosingEarly) {
  FakeServer server(bytesOf(answerFor(1, 2)).substr(0, GetParam()));
  ProgramRun run = runClient({"--socket=" + server.socketPath(), server.writeFile("s", kSong)});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "Server closed connection...");
  EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(AnswerBytes, ClientShortAnswerTest, testing::Values(0, 100, 619));

struct SocketFormCase {
  const char* name;
  std::vector<std::string> args;  // "SOCKET" and "FILE" stand for the real paths
};

void PrintTo(const SocketFormCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class ClientSocketFormTest : public testing::TestWithParam<SocketFormCase> {};

TEST_P(ClientSocketFormTest, ReachesTheNamedSocket) {
  FakeServer server(bytesOf(answerFor(1, 2)));
  std::string song = server.writeFile("song.txt", kSong);
  std::vector<std::string> args;
  for (const std::string& arg : GetParam().args) {
    args.push_back(replaced(replaced(arg, "SOCKET", server.socketPath()), "FILE", song));
  }
  ProgramRun run = runClient(args);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(requestField(server.request(), offsetof(lookup_query, track), 200), "Some Title");
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ClientSocketFormTest,
    testing::Values(SocketFormCase{"Equals", {"--socket=SOCKET", "FILE"}},
                    SocketFormCase{"Separate", {"--socket", "SOCKET", "FILE"}},
                    SocketFormCase{"ThreeDashes", {"---socket=SOCKET", "FILE"}}),
    [](const testing::TestParamInfo<SocketFormCase>& info) { return info.param.name; });

TEST(ClientTest, ReadsStandardInputForDash) {
  FakeServer server(bytesOf(answerFor(1, 2)));
  ProgramRun run = runClient({"--socket=" + server.socketPath(), "-"}, "Song|From stdin\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(requestField(server.request(), offsetof(lookup_query, track), 200), "From stdin");
}

TEST(ClientTest, ReportsMissingServerBeforeReadingTheFile) {
  ProgramRun run = runClient({"--socket=/nonexistent-ostrevc-dir/socket", "/nonexistent-file"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(std::regex_match(run.err, std::regex("connect: [^\n]+\n"))) << run.err;
}

TEST(ClientTest, ReportsMissingDataFile) {
  FakeServer server(bytesOf(answerFor(1, 2)));
  ProgramRun run = runClient({"--socket=" + server.socketPath(), server.directory() + "/none"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind(kOpenFailure, 0), 0u) << run.err;
  EXPECT_EQ(server.request(), "");
}

// The server hangs up before the request is sent. The data file is a FIFO the server
// feeds only after hanging up, so the send is sure to find the connection gone.
TEST(ClientTest, ReportsFailedSendInsteadOfDyingOfSigpipe) {
  FakeServer server([](const std::string& directory) {
    unique_fd writer(open((directory + "/song.fifo").c_str(), O_WRONLY));
    EXPECT_EQ(write(writer.get(), kSong, strlen(kSong)), static_cast<ssize_t>(strlen(kSong)));
  });
  std::string fifo = server.directory() + "/song.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ProgramRun run =
      runProgram({clientPath(), "--socket=" + server.socketPath(), fifo}, {}, "", kTimeoutSeconds);
  // Lets the server's writer go on should the client never have opened the FIFO.
  unique_fd reader(open(fifo.c_str(), O_RDONLY | O_NONBLOCK));
  server.request();

  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "send lookup struct: " + std::string(strerror(EPIPE)) + "\n");
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  std::string out;  // "PROGRAM" stands for the client's path
  std::string err;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class ClientRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(ClientRefusalTest, PrintsOneMessageAndFails) {
  const RefusalCase& c = GetParam();
  ProgramRun run = runClient(c.args);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, replaced(c.out, "PROGRAM", clientPath()));
  EXPECT_EQ(run.err, c.err);
}

const char kUsage[] = "USAGE: PROGRAM [--socket=socket_file_name] <artist-album-track-data-file>";
const char kPathRefusal[] = "ostrevc: socket path must be 1 to 99 bytes long\n";

INSTANTIATE_TEST_SUITE_P(
    Arguments, ClientRefusalTest,
    testing::Values(
        RefusalCase{"NoArguments", {}, kUsage, ""},
        RefusalCase{"SocketWithoutDataFile", {"--socket=/x"}, kUsage, ""},
        RefusalCase{"SocketPathOf100Bytes", {"--socket=/" + std::string(99, 'p'), "file"}, "",
                    kPathRefusal},
        RefusalCase{"EmptySocketPath", {"--socket", "", "file"}, "", kPathRefusal}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(ClientTest, PrintsHelpForAFirstHelp) {
  ProgramRun run = runClient({"--help"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out.rfind("usage: ostrevc ", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(ClientTest, PrintsVersionAndFails) {
  ProgramRun run = runClient({"-v", "file"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("ostrevc version [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
