// What the candidate-retrieval tests share: the fixture catalogue they read (GETDATA_TEST,
// filled from tests/fixtures/getdata-catalogue.sql), the table modes, and readable forms of
// what the functions under test return or send.
#ifndef OSTREV_TESTS_GETDATA_GETDATACATALOGUE_H_
#define OSTREV_TESTS_GETDATA_GETDATACATALOGUE_H_

#include <functional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "db/Connection.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"
#include "getdata/DBResultSet.h"

constexpr const char* kGetdataDatabase = "GETDATA_TEST";
// The same schema without a row, for the answers of an empty catalogue.
constexpr const char* kEmptyDatabase = "EMPTY_TEST";

const TableMode kTableModes[] = {TableMode::kJoined, TableMode::kTriplets,
                                 TableMode::kTripletsDisk};

// Names a TableMode parameter after its mode.
struct NameByMode {
  std::string operator()(const testing::TestParamInfo<TableMode>& info) const {
    return tableModeName(info.param);
  }
};

// A table-driven test over the fixture catalogue, run in every table mode: the case is the
// first parameter, the mode the second.
template <typename Case>
class CatalogueModeTest : public testing::TestWithParam<std::tuple<Case, TableMode>> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestDatabase(connection, kGetdataDatabase));
    useTableMode(std::get<1>(this->GetParam()));
  }
  void TearDown() override { useTableMode(TableMode::kJoined); }
  Connection connection;
};

// A connection to the test server with no database selected: every catalogue statement
// sent on it fails.
bool openWithoutDatabase(Connection& connection);

// The set's entries as "name=score" (score as %g), sorted, joined by "; ".
std::string scoresOf(const DBResultSet& set);

// What `call` writes to standard error with statement logging on, which is every
// statement it sends.
std::string statementsSentBy(const std::function<void()>& call);

#endif  // OSTREV_TESTS_GETDATA_GETDATACATALOGUE_H_
