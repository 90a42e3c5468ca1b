// ostrevd start-up as a user sees it: a real process against the real catalogue server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "support/Subprocess.h"

namespace {

std::string serverPath() {
  const char* path = getenv("OSTREVD");
  return path != nullptr ? path : "ostrevd";
}

TEST(StartupTest, EndsWithStatusTenWithoutACatalogue) {
  ProgramRun run = runProgram({serverPath()}, {"MYSQL_UNIX_PORT=/nonexistent/mysqld.sock"});
  EXPECT_EQ(run.exitStatus, 10) << run.err;
  EXPECT_TRUE(std::regex_match(run.err,
                               std::regex("Failed to establish connection to DB: .*\n"
                                          "Failed to establish connection to DB: .*\n"
                                          "Failed to connect to DB using Connection object.: .*\n")))
      << run.err;
}

}  // namespace
