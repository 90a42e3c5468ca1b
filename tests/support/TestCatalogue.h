// What the tests need to reach the private catalogue database that the test run starts
// (reached through MYSQL_UNIX_PORT, set by the test harness).
#ifndef OSTREV_TESTS_SUPPORT_TESTCATALOGUE_H_
#define OSTREV_TESTS_SUPPORT_TESTCATALOGUE_H_

#include <string>

#include <mysql.h>

#include "db/Connection.h"

constexpr const char* kTestUser = "vlot";
constexpr const char* kTestPassword = "pravo";
constexpr const char* kTestDatabase = "MEDIA";

// Opens `connection` on the test catalogue; false when it could not.
bool openTestConnection(Connection& connection);

// Runs a statement and returns the first field of its first row ("<none>" without rows,
// "<NULL>" for SQL NULL, "<error>" when the statement failed).
std::string firstValue(MYSQL* handle, const std::string& statement);

#endif  // OSTREV_TESTS_SUPPORT_TESTCATALOGUE_H_
