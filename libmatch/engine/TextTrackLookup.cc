#include "TextTrackLookup.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "db/Query.h"
#include "db/TripletsNormalization.h"
#include "engine/Timer.h"
#include "ostrev/scores.h"

namespace {

constexpr int kNormalizeBatches = 10000;
constexpr int kNormalizeBatchSize = 2000;

std::string textOrEmpty(const std::string* text) { return text != nullptr ? *text : ""; }

// Normalizes the triplets table batch by batch until a batch finds nothing to do. A long
// run shows its progress on standard error when that is a terminal.
int normalizeAllTriplets(st_mysql* handle) {
  const bool showProgress = isatty(2);
  _timer timer;
  initTimer(&timer, "normalize");
  startTimer(&timer);
  int total = 0;
  for (int batch = 0; batch < kNormalizeBatches; ++batch) {
    int done = normalizeTriplets(handle, kNormalizeBatchSize);
    if (done <= 0) break;
    total += done;
    if (showProgress) {
      stopTimer(&timer);
      timeval elapsed;
      getTimeVal(&timer, &elapsed);
      double seconds = elapsed.tv_sec + elapsed.tv_usec / 1000000.0;
      fprintf(stderr, "\r%d triplets normalized, %.0f rows/s ", total,
              seconds > 0 ? total / seconds : 0.0);
    }
  }
  if (showProgress && total > 0) fputc('\n', stderr);
  return total;
}

}  // namespace

std::string defaultDatabaseHost() {
  const char* host = getenv("OSTREV_DB_HOST");
  return host != nullptr && host[0] != '\0' ? host : "localhost";
}

TextTrackLookup::TextTrackLookup(int option_flags, const std::string* user,
                                 const std::string* password, const std::string* dbName)
    : option_flags(option_flags), shared(std::make_shared<SharedEngineState>()) {
  _timer timer;
  initTimer(&timer, "initialize");
  startTimer(&timer);

  connectDB(textOrEmpty(user), textOrEmpty(password), textOrEmpty(dbName));
  setUp();
  if (option_flags & OPT_NORMALIZETRIPLETS) {
    std::cout << normalizeAllTriplets(connection.getMyHandle()) << " triplets normalized"
              << std::endl;
  }
  if (option_flags & OPT_INMEMORY) {
    // Without its catalogue the server has nothing to answer from.
    if (!loadResidentCatalogue(connection)) exit(1);
  } else if (option_flags & OPT_FUZZY) {
    buildFuzzyIndex(connection);
  }

  stopTimer(&timer);
  if (!(option_flags & OPT_SYNONYM)) {
    timeval elapsed;
    getTimeVal(&timer, &elapsed);
    std::cout << "initialized: " << elapsed.tv_sec + elapsed.tv_usec / 1000000.0 << std::endl;
  }
}

TextTrackLookup::TextTrackLookup(const TextTrackLookup* first)
    : option_flags(first->option_flags), shared(first->shared) {
  connectDB(first->dbUser, first->dbPassword, first->dbName);
  setUp();
}

std::unique_ptr<TextTrackLookup> TextTrackLookup::makeSibling() const {
  return std::unique_ptr<TextTrackLookup>(new TextTrackLookup(this));
}

TextTrackLookup::TextTrackLookup(int option_flags, Unconnected)
    : option_flags(option_flags), shared(std::make_shared<SharedEngineState>()) {
  connection.setQuiet(quiet());
}

std::unique_ptr<TextTrackLookup> TextTrackLookup::openQuietly(int option_flags,
                                                              const std::string& user,
                                                              const std::string& password,
                                                              const std::string& dbName,
                                                              std::string* problem) {
  std::unique_ptr<TextTrackLookup> engine(
      new TextTrackLookup(option_flags | OPT_QUIET, Unconnected()));
  engine->connectDB(user, password, dbName);
  if (!engine->trySetUp()) {
    *problem = "the catalogue cannot be reached: " + engine->connection.lastError;
    return nullptr;
  }
  Connection& connection = engine->connection;
  const bool read = (option_flags & OPT_INMEMORY) ? engine->loadResidentCatalogue(connection)
                    : (option_flags & OPT_FUZZY)  ? engine->buildFuzzyIndex(connection)
                                                  : true;
  if (!read) {
    *problem = "the catalogue could not be read";
    return nullptr;
  }
  return engine;
}

void TextTrackLookup::setUp() {
  if (!trySetUp()) {
    perror("Failed to connect to DB using Connection object.");
    connection.logLastError();
    exit(10);
  }
}

bool TextTrackLookup::trySetUp() {
  verboseMode = false;
  fullDBScanMode = true;
  tryArtistMode = true;
  singleArtAlbBoost = 7;
  resultsToTest = (option_flags & OPT_SYNONYM) ? 50 : 10;
  highConfScore = static_cast<int>(ostrev::kConfidentScore);

  if (!connection.init()) return false;

  // When both table bits are set, the main table wins.
  if (option_flags & OPT_TRIPLETSDISK) setUseTripletsTable(true, false);
  if (option_flags & OPT_TRIPLETS) setUseTripletsTable(true, true);
  if (option_flags & OPT_DEBUGQUERIES) setDebugQueries(true);
  return true;
}

void TextTrackLookup::connectDB(std::string user, std::string password, std::string dbName) {
  if (user.empty() || dbName.empty()) {
    connection.setDB(defaultDatabaseHost(), "", "", "");
    return;
  }
  dbUser = user;
  dbPassword = password;
  this->dbName = dbName;
  connection.setDB(defaultDatabaseHost(), user, password, dbName);
}

void TextTrackLookup::setVerboseMode(int on) { verboseMode = on != 0; }
void TextTrackLookup::setFullDBScanMode(int on) { fullDBScanMode = on != 0; }
void TextTrackLookup::setTryArtistMode(int on) { tryArtistMode = on != 0; }
void TextTrackLookup::setSingleArtAlbBoost(int boost) { singleArtAlbBoost = boost; }
void TextTrackLookup::setResultsToTest(int count) { resultsToTest = count; }
void TextTrackLookup::setHighConfScore(int score) { highConfScore = score; }

void TextTrackLookup::equateCharacters(unsigned char, unsigned char, int) {}
