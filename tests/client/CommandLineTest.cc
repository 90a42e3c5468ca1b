#include "client/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Defaults.h"
#include "wire/wire_format.h"

namespace {

struct CommandLineCase {
  const char* name;
  std::vector<std::string> args;  // without the program name
  CommandLine::Action action;
  std::string socketPath;
  std::string dataFile;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ChoosesSocketAndDataFile) {
  const CommandLineCase& c = GetParam();
  std::vector<const char*> argv = {"ostrevc"};
  for (const std::string& arg : c.args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  CommandLine line = parseCommandLine(static_cast<int>(argv.size() - 1), argv.data());
  EXPECT_EQ(line.action, c.action);
  if (c.action == CommandLine::kIdentify) {
    EXPECT_EQ(line.socketPath, c.socketPath);
    EXPECT_EQ(line.dataFile, c.dataFile);
  }
}

const std::string path99 = "/" + std::string(98, 'p');
const std::string path100 = "/" + std::string(99, 'p');
constexpr auto kIdentify = CommandLine::kIdentify;
constexpr auto kUsage = CommandLine::kShowUsage;
constexpr auto kRefuse = CommandLine::kRefuseSocketPath;

INSTANTIATE_TEST_SUITE_P(
    Forms, CommandLineTest,
    testing::Values(
        CommandLineCase{"DataFileOnly", {"song.txt"}, kIdentify, kDefaultSocketPath, "song.txt"},
        CommandLineCase{"ExtraArgumentsIgnored", {"song.txt", "more"}, kIdentify,
                        kDefaultSocketPath, "song.txt"},
        CommandLineCase{"DashIsStandardInput", {"-"}, kIdentify, kDefaultSocketPath, "-"},
        CommandLineCase{"DashesOnly", {"--"}, kIdentify, kDefaultSocketPath, "--"},
        CommandLineCase{"SocketEquals", {"--socket=/s", "f"}, kIdentify, "/s", "f"},
        CommandLineCase{"SocketSeparate", {"--socket", "/s", "f"}, kIdentify, "/s", "f"},
        CommandLineCase{"ThreeDashes", {"---socket=/s", "f"}, kIdentify, "/s", "f"},
        CommandLineCase{"NoDashes", {"socket=/s", "f"}, kIdentify, "/s", "f"},
        // Only the seventh byte decides: anything but '=' means the path comes next.
        CommandLineCase{"LongerOptionName", {"--sockets=/s", "/t", "f"}, kIdentify, "/t", "f"},
        CommandLineCase{"PathOf99Bytes", {"--socket=" + path99, "f"}, kIdentify, path99, "f"},
        CommandLineCase{"VersionOnlyWhenExact", {"--v"}, kIdentify, kDefaultSocketPath, "--v"},
        CommandLineCase{"Version", {"-v", "f"}, CommandLine::kShowVersion, "", ""},
        CommandLineCase{"Help", {"--help"}, CommandLine::kShowHelp, "", ""},
        CommandLineCase{"HelpOnlyFirst", {"--socket=/s", "--help"}, kIdentify, "/s", "--help"},
        CommandLineCase{"NoArguments", {}, kUsage, "", ""},
        CommandLineCase{"EqualsFormWithoutFile", {"--socket=/s"}, kUsage, "", ""},
        CommandLineCase{"SeparateFormWithoutFile", {"--socket", "/s"}, kUsage, "", ""},
        CommandLineCase{"SeparateFormWithoutPath", {"--socket"}, kUsage, "", ""},
        CommandLineCase{"PathOf100Bytes", {"--socket=" + path100, "f"}, kRefuse, "", ""},
        CommandLineCase{"EmptyPath", {"--socket=", "f"}, kRefuse, "", ""},
        CommandLineCase{"EmptySeparatePath", {"--socket", "", "f"}, kRefuse, "", ""}),
    [](const testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

// "--json" and "--candidates N" anywhere before the file; without a dash they are files.
TEST(CommandLineTest, ReadsTheJsonAndCandidatesWords) {
  const struct {
    std::vector<std::string> args;
    CommandLine::Action action;
    std::string socketPath;
    std::string dataFile;
    bool json;
    int candidates;
  } cases[] = {
      {{"--json", "f"}, kIdentify, kDefaultSocketPath, "f", true, 0},
      {{"--socket=/s", "--json", "f"}, kIdentify, "/s", "f", true, 0},
      {{"-json", "--socket", "/s", "--candidates", "3", "f"}, kIdentify, "/s", "f", true, 3},
      {{"--candidates", "50", "--socket=/s", "f"}, kIdentify, "/s", "f", false, 50},
      {{"json"}, kIdentify, kDefaultSocketPath, "json", false, 0},
      {{"f", "--json"}, kIdentify, kDefaultSocketPath, "f", false, 0},
      {{"--socket=/s", "--socket=/t", "f"}, kIdentify, "/s", "--socket=/t", false, 0},
      {{"--json"}, kUsage, "", "", true, 0},
      {{"--candidates"}, kUsage, "", "", false, 0},
      {{"--candidates", "0", "f"}, CommandLine::kRefuseCandidates, "", "", false, 0},
      {{"--candidates", "51", "f"}, CommandLine::kRefuseCandidates, "", "", false, 0},
      {{"--candidates", "two", "f"}, CommandLine::kRefuseCandidates, "", "", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    std::vector<const char*> argv = {"ostrevc"};
    for (const std::string& arg : c.args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    CommandLine line = parseCommandLine(static_cast<int>(argv.size() - 1), argv.data());
    EXPECT_EQ(line.action, c.action);
    if (c.action != CommandLine::kIdentify) continue;
    EXPECT_EQ(line.socketPath, c.socketPath);
    EXPECT_EQ(line.dataFile, c.dataFile);
    EXPECT_EQ(line.json, c.json);
    EXPECT_EQ(line.candidates, c.candidates);
  }
}

TEST(CommandLineTest, NoProgramNameIsUsage) {
  const char* argv[] = {nullptr};
  EXPECT_EQ(parseCommandLine(0, argv).action, CommandLine::kShowUsage);
}

}  // namespace
