#include "server/LockableCatalogue.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "db/Query.h"
#include "support/Subprocess.h"
#include "support/TestCatalogue.h"
#include "wire/socket_io.h"

namespace {

constexpr const char* kTables =
    "tracks write, albums write, artists write, matchtracks write, matchalbums write, "
    "matchartists write, matchartistsdisk write, triplets write, triplets_disk write, "
    "track_name_counts write, album_name_counts write, artist_name_counts write";

std::string environment(const char* name, const char* otherwise) {
  const char* value = getenv(name);
  return value != nullptr ? value : otherwise;
}

// The folder of the test run's database server, which holds its socket.
std::string serverFolder() {
  std::string socket = environment("MYSQL_UNIX_PORT", "./mysqld.sock");
  size_t slash = socket.rfind('/');
  return slash == std::string::npos ? "." : socket.substr(0, slash);
}

}  // namespace

LockableCatalogue::LockableCatalogue(std::string database) : database_(std::move(database)) {
  const std::string source = environment("OSTREV_SOURCE_DIR", ".");
  ok_ = catalogueDb("drop") && catalogueDb("create") &&
        catalogueDb("sql", source + "/tests/fixtures/catalogue.sql") &&
        catalogueDb("sql", source + "/schema/derive.sql") &&
        catalogueDb("sql", source + "/tests/fixtures/catalogue-adjust.sql") &&
        openTestDatabase(locker_, database_.c_str()) &&
        openTestDatabase(watcher_, database_.c_str());
}

LockableCatalogue::~LockableCatalogue() {
  if (locker_.connected) unlockTables();
  catalogueDb("drop");
}

bool LockableCatalogue::catalogueDb(const std::string& command, const std::string& sqlFile) {
  std::vector<std::string> argv = {environment("OSTREV_SOURCE_DIR", ".") + "/scripts/catalogue-db",
                                   command, serverFolder(), database_};
  if (!sqlFile.empty()) argv.push_back(sqlFile);
  return runProgram(argv, {}, "", 120).exitStatus == 0;
}

bool LockableCatalogue::lockTables() {
  return doQuery(locker_.getMyHandle(), std::string("lock tables ") + kTables, "test");
}

bool LockableCatalogue::unlockTables() {
  return doQuery(locker_.getMyHandle(), "unlock tables", "test");
}

std::string LockableCatalogue::waitForBlockedSession(int timeoutMs) {
  const std::string statement = "select id from information_schema.processlist where db = '" +
                                database_ +
                                "' and state like '%lock%' and id <> connection_id() limit 1";
  long long deadline = monotonicMs() + timeoutMs;
  while (monotonicMs() < deadline) {
    std::string id = firstValue(watcher_.getMyHandle(), statement);
    if (id != "<none>" && id != "<error>") return id;
    usleep(10000);
  }
  return "";
}

bool LockableCatalogue::kill(const std::string& sessionId) {
  return doQuery(watcher_.getMyHandle(), "kill connection " + sessionId, "test");
}
