#include "db/Query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/Connection.h"
#include "support/TestCatalogue.h"

namespace {

class QueryTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestConnection(connection)); }
  void TearDown() override { setDebugQueries(false); }

  // Runs doQuery and returns what it wrote to standard error.
  std::string logged(const std::string& statement, bool* accepted) {
    testing::internal::CaptureStderr();
    *accepted = doQuery(connection.getMyHandle(), statement, "caller");
    return testing::internal::GetCapturedStderr();
  }

  Connection connection;
};

TEST_F(QueryTest, LeavesTheRowsPendingForTheCaller) {
  ASSERT_TRUE(doQuery(connection.getMyHandle(),
                      "select id, name from matchalbums where id in (10, 11) order by id", "t"));
  EXPECT_EQ(pendingRows(connection.getMyHandle()), "10|Abbey Road;11|Homogenic");
}

TEST_F(QueryTest, SendsTheStatementByLengthNotByTerminator) {
  std::string statement("select length('a\0b')", 20);
  ASSERT_TRUE(doQuery(connection.getMyHandle(), statement, "t"));
  EXPECT_EQ(pendingRows(connection.getMyHandle()), "3");
}

TEST_F(QueryTest, SilentWhenLoggingIsOff) {
  bool accepted = true;
  EXPECT_EQ(logged("select nonsense from nowhere", &accepted), "");
  EXPECT_FALSE(accepted);
  EXPECT_EQ(logged("select 1", &accepted), "");
  EXPECT_TRUE(accepted);
  pendingRows(connection.getMyHandle());
}

TEST_F(QueryTest, LogsStatementsAndFailuresWhenOn) {
  setDebugQueries(true);
  bool accepted = false;
  EXPECT_EQ(logged("select 1", &accepted), "Query::caller, query is:\nselect 1\n");
  EXPECT_TRUE(accepted);
  pendingRows(connection.getMyHandle());

  std::string err = logged("select * from no_such_table", &accepted);
  EXPECT_FALSE(accepted);
  EXPECT_EQ(err,
            "Query::caller, query is:\nselect * from no_such_table\n"
            "Query::caller, mysql_query failed with error message [ Table "
            "'MEDIA.no_such_table' doesn't exist ]\n");
}

struct ModeStep {
  bool useTriplets;
  bool mainTable;
};

struct ModeCase {
  const char* name;
  std::vector<ModeStep> steps;
  std::string printed;
  bool mode;
  std::string table;
};

class TripletsModeTest : public testing::TestWithParam<ModeCase> {
 protected:
  void SetUp() override {
    // The switches are process-wide: start every case from the load-time state.
    testing::internal::CaptureStdout();
    setUseTripletsTable(true, false);
    setUseTripletsTable(false, false);
    testing::internal::GetCapturedStdout();
  }
};

TEST_P(TripletsModeTest, SwitchesModeAndTable) {
  const ModeCase& c = GetParam();
  testing::internal::CaptureStdout();
  for (const ModeStep& step : c.steps) setUseTripletsTable(step.useTriplets, step.mainTable);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed);
  EXPECT_EQ(getUseTripletsTable(), c.mode);
  EXPECT_EQ(getTripletsTable(), c.table);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, TripletsModeTest,
    testing::Values(
        ModeCase{"main", {{true, true}}, "triplets mode\n", true, "triplets"},
        ModeCase{"disk", {{true, false}}, "triplets-disk mode\n", true, "triplets_disk"},
        ModeCase{"off_keeps_table", {{true, true}, {false, false}}, "triplets mode\n", false,
                 "triplets"},
        ModeCase{"off_prints_nothing", {{false, true}}, "", false, "triplets_disk"},
        ModeCase{"last_wins",
                 {{true, false}, {true, true}},
                 "triplets-disk mode\ntriplets mode\n",
                 true,
                 "triplets"}),
    [](const testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

}  // namespace
