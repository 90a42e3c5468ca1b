// ostrevd's command line and start-up, as a user sees them: real processes against the
// real catalogue server.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "support/ServerUnderTest.h"
#include "support/Subprocess.h"

namespace {

const std::string kUsage =
    "Usage: ostrevd [--version | --debug | --synonym | --metrics | --socket=socket_name | "
    "--onerequest |--dbname=DBNAME | -help]\n\n";
const std::string kVersion = "ostrevd version 1.0.0\n";

std::string joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& a : args) text += "[" + a + "] ";
  return text;
}

struct EarlyExitCase {
  std::vector<std::string> args;
  std::string out;
  std::string errPart;  // must occur in standard error ("" : standard error stays empty)
};

class CommandLineEarlyExitTest : public testing::TestWithParam<EarlyExitCase> {};

TEST_P(CommandLineEarlyExitTest, ExitsWithStatusOne) {
  const EarlyExitCase& c = GetParam();
  SCOPED_TRACE(joined(c.args));
  std::vector<std::string> argv = {serverProgram()};
  argv.insert(argv.end(), c.args.begin(), c.args.end());
  ProgramRun run = runProgram(argv);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, c.out);
  if (c.errPart.empty()) {
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_NE(run.err.find(c.errPart), std::string::npos) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Words, CommandLineEarlyExitTest,
    testing::Values(
        EarlyExitCase{{"-v"}, kVersion, ""},
        EarlyExitCase{{"-v", "--debug"}, kVersion, ""},
        EarlyExitCase{{"--debug", "-v"}, kVersion, ""},
        EarlyExitCase{{"--vers"}, kVersion, ""},
        EarlyExitCase{{"---help"}, kUsage, ""},
        EarlyExitCase{{"-h", "--version"}, kUsage, ""},
        EarlyExitCase{{"--socket=/tmp/a", "--dbname=CAT", "socketX/tmp/b", "-h"},
                      "Socket name is /tmp/a\nDB name is CAT\nSocket name is /tmp/b\n" + kUsage,
                      ""},
        // Unknown words are named and passed over; abbreviations are no unknown words.
        EarlyExitCase{{"--worker=4", "debugging", "-h"}, kUsage,
                      "ostrevd: ignoring unknown option '--worker=4'\n"
                      "ostrevd: ignoring unknown option 'debugging'\n"},
        EarlyExitCase{{"--d", "-s", "--norm", "--debugq", "--one", "--fuz", "-h"}, kUsage, ""},
        EarlyExitCase{{"--socket"}, "", "ostrevd: --socket needs a value"},
        EarlyExitCase{{"--socket="}, "", "ostrevd: --socket needs a value"},
        EarlyExitCase{{"dbname"}, "", "ostrevd: --dbname needs a value"},
        EarlyExitCase{{"--socket=/tmp/" + std::string(95, 's')}, "", "longer than 99 bytes"},
        EarlyExitCase{{"--dbname=" + std::string(100, 'D')}, "", "longer than 99 bytes"}));

TEST(CommandLineTest, EndsWithStatusTenWithoutACatalogue) {
  ProgramRun run = runProgram({serverProgram()}, {"MYSQL_UNIX_PORT=/nonexistent/mysqld.sock"});
  EXPECT_EQ(run.exitStatus, 10) << run.err;
  EXPECT_EQ(run.out, "starting up...\n");
  EXPECT_TRUE(std::regex_match(run.err,
                               std::regex("Failed to establish connection to DB: .*\n"
                                          "Failed to establish connection to DB: .*\n"
                                          "Failed to connect to DB using Connection object.: .*\n"
                                          "MySQL: .*\n")))
      << run.err;
}

TEST(CommandLineTest, UsesTheDatabaseNameGiven) {
  ProgramRun run = runProgram({serverProgram(), "--dbname=NO_SUCH_DB"});
  EXPECT_EQ(run.exitStatus, 10);
  EXPECT_EQ(run.out, "DB name is NO_SUCH_DB\nstarting up...\n");
  // The operator learns what is wrong, not only that something is.
  EXPECT_TRUE(std::regex_search(run.err, std::regex("\nMySQL: .* database 'NO_SUCH_DB'\n")))
      << run.err;
}

// Option words whose effect shows in the start-up output of a server that serves one
// (unknown) request and exits.
struct OptionCase {
  std::vector<std::string> args;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

class CommandLineOptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(CommandLineOptionTest, ReachesServerAndEngine) {
  const OptionCase& c = GetParam();
  SCOPED_TRACE(joined(c.args));
  std::vector<std::string> args = c.args;
  args.push_back("-o");  // one request
  ServerUnderTest server(args);
  ASSERT_TRUE(server.ready()) << server.program().err();
  server.send({fixedRequest("hello")});
  ProgramRun run = server.program().wait();
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  for (const std::string& text : c.present) {
    EXPECT_NE(run.out.find(text), std::string::npos) << "missing: " << text << "\n" << run.out;
  }
  for (const std::string& text : c.absent) {
    EXPECT_EQ(run.out.find(text), std::string::npos) << "unexpected: " << text << "\n" << run.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Words, CommandLineOptionTest,
    testing::Values(
        OptionCase{{}, {"starting up...\n", "initialized: ", "Received: 'hello' rc = 0\n"},
                   {"triplets"}},
        OptionCase{{"--synonym"},
                   {"\nQueue Size: 1\n\n", "undefined command\n"},
                   {"starting up", "initialized", "Received"}},
        OptionCase{{"-s"}, {"undefined command\n"}, {"starting up"}},
        OptionCase{{"--triplets"}, {"triplets mode\n"}, {"triplets-disk mode"}},
        OptionCase{{"--tripletsdisk"}, {"triplets-disk mode\n"}, {"triplets mode"}},
        OptionCase{{"--tripletsdisk", "triplets"}, {"triplets-disk mode\ntriplets mode\n"}, {}},
        OptionCase{{"--tripl"}, {"initialized: "}, {"triplets"}},
        OptionCase{{"--debugging", "--frobnicate", "-x"}, {"starting up...\n"}, {}}));

}  // namespace
