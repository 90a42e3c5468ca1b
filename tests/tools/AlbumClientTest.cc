// ostrev-album: its command line, the request it builds and the descriptor files it reads,
// then the built program against a real ostrevd on the test catalogue (MEDIA).
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/Subprocess.h"
#include "support/TestNames.h"
#include "tools/album/command_line.h"
#include "tools/album/descriptor_file.h"
#include "Defaults.h"
#include "wire/variable_request.h"
#include "wire/wire_format.h"

namespace {

constexpr int kTimeoutSeconds = 30;
const std::string kEmptyReply = "$x = [  ];\n";
const std::string kAbbeyRoad =
    "album:Abbey Road|artist:The Beatles|title:Come Together|title:Somthing|";

// --- command line ---

struct CommandLineCase {
  const char* what;
  std::vector<std::string> args;  // without the program name
  AlbumCommandLine::Action action;
  std::string socketPath;  // for kSend
  std::string file;
  std::string text;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class AlbumCommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(AlbumCommandLineTest, ChoosesSocketAndDescriptor) {
  const CommandLineCase& c = GetParam();
  std::vector<const char*> argv = {"ostrev-album"};
  for (const std::string& arg : c.args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  AlbumCommandLine line = parseAlbumCommandLine(static_cast<int>(argv.size() - 1), argv.data());
  EXPECT_EQ(line.action, c.action) << line.problem;
  if (c.action == AlbumCommandLine::kSend) {
    EXPECT_EQ(line.socketPath, c.socketPath);
    EXPECT_EQ(line.descriptorFile, c.file);
    EXPECT_EQ(line.descriptorText, c.text);
  } else if (c.action == AlbumCommandLine::kRefuse) {
    EXPECT_NE(line.problem, "");
  }
}

const std::string path99 = "/" + std::string(98, 'p');
const std::string path100 = "/" + std::string(99, 'p');
constexpr auto kSend = AlbumCommandLine::kSend;
constexpr auto kRefuse = AlbumCommandLine::kRefuse;

INSTANTIATE_TEST_SUITE_P(
    Forms, AlbumCommandLineTest,
    testing::Values(
        CommandLineCase{"FileOnly", {"a.txt"}, kSend, kDefaultSocketPath, "a.txt", ""},
        CommandLineCase{"DashIsStandardInput", {"-"}, kSend, kDefaultSocketPath, "-", ""},
        CommandLineCase{"SocketEquals", {"--socket=/s", "f"}, kSend, "/s", "f", ""},
        CommandLineCase{"SocketSeparate", {"--socket", "/s", "f"}, kSend, "/s", "f", ""},
        CommandLineCase{"SocketAfterFile", {"f", "--socket", "/s"}, kSend, "/s", "f", ""},
        CommandLineCase{"DescriptorSeparate", {"--descriptor", "album:A|"}, kSend,
                        kDefaultSocketPath, "", "album:A|"},
        CommandLineCase{"DescriptorEquals", {"--descriptor=title:a=b|"}, kSend,
                        kDefaultSocketPath, "", "title:a=b|"},
        CommandLineCase{"EmptyDescriptor", {"--descriptor="}, kSend, kDefaultSocketPath, "", ""},
        // A value that looks like an option is still the value.
        CommandLineCase{"DescriptorStartingWithDashes", {"--descriptor", "--help"}, kSend,
                        kDefaultSocketPath, "", "--help"},
        CommandLineCase{"PathOf99Bytes", {"--socket=" + path99, "f"}, kSend, path99, "f", ""},
        CommandLineCase{"Help", {"--help"}, AlbumCommandLine::kShowHelp, "", "", ""},
        CommandLineCase{"HelpWinsOverTheRest", {"f", "-h"}, AlbumCommandLine::kShowHelp, "",
                        "", ""},
        CommandLineCase{"NoArguments", {}, kRefuse, "", "", ""},
        CommandLineCase{"SocketWithoutDescriptor", {"--socket=/s"}, kRefuse, "", "", ""},
        CommandLineCase{"SocketMissingItsPath", {"f", "--socket"}, kRefuse, "", "", ""},
        CommandLineCase{"DescriptorMissingItsText", {"--descriptor"}, kRefuse, "", "", ""},
        CommandLineCase{"FileAndDescriptor", {"f", "--descriptor", "x|"}, kRefuse, "", "", ""},
        CommandLineCase{"TwoFiles", {"f", "g"}, kRefuse, "", "", ""},
        CommandLineCase{"UnknownOption", {"--sockets=/s", "f"}, kRefuse, "", "", ""},
        CommandLineCase{"EmptySocketPath", {"--socket=", "f"}, kRefuse, "", "", ""},
        CommandLineCase{"PathOf100Bytes", {"--socket=" + path100, "f"}, kRefuse, "", "", ""}),
    NameByWhat());

// --- descriptor files ---

class DescriptorFileTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& path : written_) unlink(path.c_str());
    rmdir(folder_.c_str());
  }

  std::string write(const std::string& content) {
    std::string path = folder_ + "/d" + std::to_string(written_.size());
    std::ofstream(path, std::ios::binary) << content;
    written_.push_back(path);
    return path;
  }

  // What readDescriptorFile makes of `content` with `limit`; "<failed: ...>" on failure.
  std::string read(const std::string& content, size_t limit = 1000) {
    std::string text, problem;
    if (!readDescriptorFile(write(content), limit, &text, &problem)) {
      return "<failed: " + problem + ">";
    }
    return text;
  }

  const std::string folder_ = makeTempFolder();
  std::vector<std::string> written_;
};

TEST_F(DescriptorFileTest, DropsOneTrailingNewline) {
  EXPECT_EQ(read("album:A|title:B|\n"), "album:A|title:B|");
  EXPECT_EQ(read("album:A|\n\n"), "album:A|\n");
  EXPECT_EQ(read("album:A|\r\n"), "album:A|\r");
  EXPECT_EQ(read("album:A|"), "album:A|");
  EXPECT_EQ(read("\n"), "");
  EXPECT_EQ(read(""), "");
}

// A text of `limit` bytes fits even with its newline; anything longer stays longer than
// the limit, however the file ends.
TEST_F(DescriptorFileTest, LongFilesStayLongerThanTheLimit) {
  EXPECT_EQ(read("12345\n", 5), "12345");
  EXPECT_EQ(read("123456", 5), "123456");
  EXPECT_GT(read("123456\n", 5).size(), 5u);
  EXPECT_GT(read("1234567890\n", 5).size(), 5u);
  EXPECT_GT(read("12345\n\n", 5).size(), 5u);
}

TEST_F(DescriptorFileTest, MissingFileIsReported) {
  std::string text, problem;
  EXPECT_FALSE(readDescriptorFile(folder_ + "/none", 1000, &text, &problem));
  EXPECT_NE(problem.find("/none"), std::string::npos) << problem;
}

// --- the program ---

std::string albumProgram() { return OSTREV_ALBUM_PATH; }

ProgramRun runAlbum(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), albumProgram());
  return runProgram(args, {}, input, kTimeoutSeconds);
}

// The values of `key` in the reply's entries, in order.
std::vector<std::string> valuesOf(const std::string& reply, const std::string& key) {
  std::vector<std::string> values;
  std::regex entry("'" + key + "' => '((?:[^'\\\\]|\\\\.)*)'");
  for (std::sregex_iterator it(reply.begin(), reply.end(), entry), end; it != end; ++it) {
    values.push_back((*it)[1]);
  }
  return values;
}

class AlbumClientTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.ready()) << server_.program().err(); }

  ProgramRun ask(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), "--socket=" + server_.socketPath());
    return runAlbum(args, input);
  }

  ServerUnderTest server_;
};

TEST_F(AlbumClientTest, IdentifiesTheTracksOfAnAlbum) {
  ProgramRun run = ask({"--descriptor", kAbbeyRoad});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("$x = [ ", 0), 0u) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - 4), " ];\n") << run.out;
  EXPECT_EQ(valuesOf(run.out, "title"), (std::vector<std::string>{"Come Together", "Somthing"}));
  EXPECT_EQ(valuesOf(run.out, "mediaId"), (std::vector<std::string>{"100", "101"}));
}

TEST_F(AlbumClientTest, ReadsTheDescriptorFromAFileOrStandardInput) {
  ProgramRun direct = ask({"--descriptor", kAbbeyRoad});
  ASSERT_EQ(direct.exitStatus, 0) << direct.err;

  std::string folder = makeTempFolder();
  std::string file = folder + "/abbey-road.txt";
  std::ofstream(file) << kAbbeyRoad << "\n";
  ProgramRun fromFile = ask({file});
  unlink(file.c_str());
  rmdir(folder.c_str());
  EXPECT_EQ(fromFile.exitStatus, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, direct.out);

  ProgramRun fromInput = ask({"-"}, kAbbeyRoad + "\n");
  EXPECT_EQ(fromInput.exitStatus, 0) << fromInput.err;
  EXPECT_EQ(fromInput.out, direct.out);
}

TEST_F(AlbumClientTest, EmptyDescriptorGivesAnEmptyList) {
  ProgramRun run = ask({"--descriptor", ""});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, kEmptyReply);
}

// The longest request the header can announce reaches the server whole: a descriptor
// without a single item gives the empty list.
TEST_F(AlbumClientTest, LongestDescriptorIsServed) {
  ProgramRun run = ask({"-"}, std::string(maxAlbumDescriptorBytes(), 'x') + "\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, kEmptyReply);
}

TEST_F(AlbumClientTest, LongerDescriptorIsRefusedBeforeSending) {
  ProgramRun run = ask({"-"}, std::string(maxAlbumDescriptorBytes() + 1, 'x'));
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "ostrev-album: the album descriptor is too long: at most " +
                         std::to_string(maxAlbumDescriptorBytes()) + " bytes\n");
}

struct RefusalCase {
  const char* what;
  std::vector<std::string> args;
  std::string err;  // a regular expression for the whole of standard error
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class AlbumClientRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(AlbumClientRefusalTest, PrintsOneMessageAndFails) {
  ProgramRun run = runAlbum(GetParam().args);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(std::regex_match(run.err, std::regex(GetParam().err))) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, AlbumClientRefusalTest,
    testing::Values(
        RefusalCase{"NoServer",
                    {"--socket=/nonexistent-ostrev-album/socket", "--descriptor", kAbbeyRoad},
                    "ostrev-album: cannot connect to /nonexistent-ostrev-album/socket: [^\n]+\n"},
        RefusalCase{"MissingFile",
                    {"--socket=/nonexistent-ostrev-album/socket", "/nonexistent-file"},
                    "ostrev-album: cannot open '/nonexistent-file': [^\n]+\n"},
        RefusalCase{"BadArguments", {"--frobnicate"},
                    "ostrev-album: unknown option '--frobnicate' \\(see --help\\)\n"},
        RefusalCase{"SocketPathTooLong", {"--socket=/" + std::string(100, 's'), "f"},
                    "ostrev-album: socket path must be 1 to 99 bytes long \\(see --help\\)\n"}),
    NameByWhat());

TEST(AlbumClientHelpTest, HelpGoesToStandardOutput) {
  ProgramRun run = runAlbum({"--help"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out.rfind("usage: ostrev-album", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
