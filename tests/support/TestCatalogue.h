// What the tests need to reach the private catalogue database that the test run starts
// (reached through MYSQL_UNIX_PORT, set by the test harness).
#ifndef OSTREV_TESTS_SUPPORT_TESTCATALOGUE_H_
#define OSTREV_TESTS_SUPPORT_TESTCATALOGUE_H_

#include <string>

#include <mysql.h>

#include "Defaults.h"
#include "db/Connection.h"

constexpr const char* kTestUser = kDefaultDatabaseUser;
constexpr const char* kTestPassword = kDefaultDatabasePassword;
constexpr const char* kTestDatabase = kDefaultDatabaseName;

// Opens `connection` on the test catalogue (MEDIA); false when it could not.
bool openTestConnection(Connection& connection);

// Runs a statement and returns the first field of its first row ("<none>" without rows,
// "<NULL>" for SQL NULL, "<error>" when the statement failed).
std::string firstValue(MYSQL* handle, const std::string& statement);

// Takes the pending result of the statement just sent and returns its rows, fields joined
// by "|" (SQL NULL as "NULL"), rows by ";" — sorted when the statement fixes no order.
// "<no result>" when there is none.
std::string pendingRows(MYSQL* handle, bool sorted = false);

// Opens `connection` on another database of the test server.
bool openTestDatabase(Connection& connection, const char* database);

#endif  // OSTREV_TESTS_SUPPORT_TESTCATALOGUE_H_
