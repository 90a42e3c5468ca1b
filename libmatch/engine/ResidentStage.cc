// The resident catalogue of TextTrackLookup: read whole at start-up with OPT_INMEMORY,
// read again when the catalogue generation moves or on demand, and the reader every
// look-up goes through.
#include <chrono>
#include <cstdio>
#include <mutex>

#include "TextTrackLookup.h"
#include "db/GenerationQueries.h"
#include "resident/ResidentLoader.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TrackTables trackTables(int option_flags) {
  // When both table bits are set, the main table wins.
  if (option_flags & OPT_TRIPLETS) return TrackTables::kTriplets;
  if (option_flags & OPT_TRIPLETSDISK) return TrackTables::kTripletsDisk;
  return TrackTables::kJoined;
}

}  // namespace

CatalogueReader& TextTrackLookup::reader() {
  if (option_flags & OPT_INMEMORY) {
    if (!residentReader_.pinned()) residentReader_.pin(shared->residentCatalogue());
    return residentReader_;
  }
  // The handle may be replaced when the connection is made again.
  statementReader_ = StatementReader(handle());
  return statementReader_;
}

void TextTrackLookup::beginRequest() {
  connection.fault.beginRequest();
  // Each request reads the newest catalogue, and only that one.
  residentReader_.unpin();
  namedTrack_ = NamedTrack();
}

bool TextTrackLookup::loadResidentCatalogue(Connection& from) {
  const Clock::time_point start = Clock::now();
  unsigned long long generation = 0;
  std::string error;
  std::unique_ptr<const ResidentCatalogue> catalogue;
  // The generation first: an import that lands during the reading raises it again.
  if (readCatalogueGeneration(from.getMyHandle(), &generation)) {
    catalogue = ResidentLoader::load(from.getMyHandle(), trackTables(option_flags), &error);
  } else {
    error = mysql_error(from.getMyHandle());
  }
  if (catalogue == nullptr) {
    if (!quiet()) {
      fprintf(stderr, "resident catalogue: the catalogue could not be read: %s\n",
              error.c_str());
    }
    return false;
  }
  if (!quiet()) {
    printf("resident catalogue: %zu tracks, %.1f MB, %.2f s\n", catalogue->trackCount(),
           catalogue->memoryBytes() / 1e6, secondsSince(start));
    fflush(stdout);
  }
  if (option_flags & OPT_FUZZY) {
    const Clock::time_point indexStart = Clock::now();
    std::shared_ptr<const FuzzyTrackIndex> index = ResidentLoader::fuzzyIndex(*catalogue);
    if (!(option_flags & OPT_SYNONYM) && !quiet()) {
      printf("fuzzy index: %zu tracks, %.1f MB, %.2f s\n", index->trackCount(),
             index->memoryBytes() / 1e6, secondsSince(indexStart));
      fflush(stdout);
    }
    shared->setFuzzyIndex(std::move(index));
  }
  shared->setResidentCatalogue(std::move(catalogue), generation);
  return true;
}

bool TextTrackLookup::reloadCatalogue() {
  if (!(option_flags & OPT_INMEMORY)) return rebuildFuzzyIndex();
  std::lock_guard<std::mutex> lock(shared->rebuilding);
  Connection own(defaultDatabaseHost(), dbUser, dbPassword, dbName);
  if (!own.init()) {
    fprintf(stderr, "resident catalogue: cannot connect to the catalogue to read it again\n");
    own.logLastError();
    return false;
  }
  return loadResidentCatalogue(own);
}

bool TextTrackLookup::refreshResidentCatalogue() {
  std::lock_guard<std::mutex> lock(shared->rebuilding);
  Connection own(defaultDatabaseHost(), dbUser, dbPassword, dbName);
  unsigned long long generation = 0;
  if (!own.init() || !readCatalogueGeneration(own.getMyHandle(), &generation)) {
    fprintf(stderr, "resident catalogue: refresh failed, the catalogue could not be asked\n");
    own.logLastError();
    return false;
  }
  if (generation == shared->residentGeneration()) return true;
  printf("resident catalogue: generation %llu, reading the catalogue again\n", generation);
  fflush(stdout);
  return loadResidentCatalogue(own);
}
