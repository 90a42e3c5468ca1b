// Every statement shape, explained by the server on a generated catalogue: none may need
// a full table scan, apart from the lists that read a whole table by design.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/Connection.h"
#include "db/NameCountQueries.h"
#include "db/Query.h"
#include "db/TrackQueries.h"
#include "db/TripletsNormalization.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"

namespace {

struct Shape {
  const char* what;
  std::function<bool(MYSQL*)> send;
};

IdList someIds() {
  IdList ids;
  for (int id : {5, 7, 11}) ids.push_back(std::make_unique<int>(id));
  return ids;
}

const Shape kShapes[] = {
    {"selectTrackByISRC", [](MYSQL* h) { return selectTrackByISRC(h, "ISRC00000042"); }},
    {"selectTracksByISRC", [](MYSQL* h) { return selectTracksByISRC(h, "ISRC00000042"); }},
    {"selectTrackByName", [](MYSQL* h) { return selectTrackByName(h, "Track 42"); }},
    {"selectExactTrack",
     [](MYSQL* h) { return selectExactTrack(h, "Artist 43", "Album 42", "Track 42"); }},
    {"selectMinimalTrackByID", [](MYSQL* h) { return selectMinimalTrackByID(h, "42"); }},
    {"selectTrackByID", [](MYSQL* h) { return selectTrackByID(h, "42"); }},
    {"selectTracksByAlbumIDs",
     [](MYSQL* h) {
       IdList ids = someIds();
       return selectTracksByAlbumIDs(h, &ids);
     }},
    {"selectTracksByArtistIDs",
     [](MYSQL* h) {
       IdList ids = someIds();
       return selectTracksByArtistIDs(h, &ids);
     }},
    {"selectTracksByAlbumUPC", [](MYSQL* h) { return selectTracksByAlbumUPC(h, "100000000042"); }},
    {"selectTracksByAlbumName", [](MYSQL* h) { return selectTracksByAlbumName(h, "Album 42"); }},
    {"selectTracksByArtistAlbum",
     [](MYSQL* h) {
       std::string artists[] = {"5", "7"};
       std::string albums[] = {"11"};
       return selectTracksByArtistAlbum(h, artists, 2, albums, 1);
     }},
    {"selectArtistAlbumByIdList", [](MYSQL* h) { return selectArtistAlbumByIdList(h, "5, 7"); }},
    {"selectAlbumsByUPC", [](MYSQL* h) { return selectAlbumsByUPC(h, "100000000042"); }},
    {"selectAlbumByID", [](MYSQL* h) { return selectAlbumByID(h, "42"); }},
    {"selectAlbumIDsByName", [](MYSQL* h) { return selectAlbumIDsByName(h, "Album 42"); }},
    {"selectAlbumsByFirstChar", [](MYSQL* h) { return selectAlbumsByFirstChar(h, "Z"); }},
    {"selectArtistByID", [](MYSQL* h) { return selectArtistByID(h, "42"); }},
    {"selectArtistsByFirstChar", [](MYSQL* h) { return selectArtistsByFirstChar(h, "Z"); }},
    {"selectArtistsByFullText", [](MYSQL* h) { return selectArtistsByFullText(h, "artist"); }},
    {"selectArtistsByAlbum", [](MYSQL* h) { return selectArtistsByAlbum(h, "Album 42"); }},
    {"selectUnknownArtistIDs", [](MYSQL* h) { return selectUnknownArtistIDs(h); }},
    {"selectArtistIDsByNormalizedName",
     [](MYSQL* h) { return selectArtistIDsByNormalizedName(h, "artist 42"); }},
    {"selectArtistIDsByName", [](MYSQL* h) { return selectArtistIDsByName(h, "Artist 42"); }},
    {"selectTrackCounterByName", [](MYSQL* h) { return selectTrackCounterByName(h, "Track 42"); }},
    {"selectTrackCounterByAlbumName",
     [](MYSQL* h) { return selectTrackCounterByAlbumName(h, "Album 42"); }},
    {"selectTrackCounterByArtistName",
     [](MYSQL* h) { return selectTrackCounterByArtistName(h, "Artist 42"); }},
    {"selectArtistCounterByName",
     [](MYSQL* h) { return selectArtistCounterByName(h, "Artist 42"); }},
    {"selectNotNormalizedTriplets",
     [](MYSQL* h) { return selectNotNormalizedTriplets(h, 2000); }},
};

class ExplainTest : public testing::TestWithParam<std::tuple<Shape, TableMode>> {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestDatabase(connection, "EXPLAIN_TEST")); }
  void TearDown() override {
    setDebugQueries(false);
    useTableMode(TableMode::kJoined);
  }
  Connection connection;
};

// The statement a builder sent, read back from the statement log.
std::string statementOf(const std::string& log) {
  const std::string marker = ", query is:\n";
  size_t start = log.find(marker);
  if (start == std::string::npos) return "";
  start += marker.size();
  return log.substr(start, log.find('\n', start) - start);
}

TEST_P(ExplainTest, UsesAnIndex) {
  const Shape& shape = std::get<0>(GetParam());
  TableMode mode = std::get<1>(GetParam());
  SCOPED_TRACE(std::string(shape.what) + " in mode " + tableModeName(mode));
  useTableMode(mode);
  MYSQL* handle = connection.getMyHandle();

  setDebugQueries(true);
  testing::internal::CaptureStderr();
  bool sent = shape.send(handle);
  std::string statement = statementOf(testing::internal::GetCapturedStderr());
  setDebugQueries(false);
  ASSERT_TRUE(sent) << statement;
  pendingRows(handle);

  // Columns: id, select_type, table, type, possible_keys, key, ...
  ASSERT_TRUE(doQuery(handle, "explain " + statement, "explain"));
  std::string plan = pendingRows(handle);
  size_t rowStart = 0;
  while (rowStart < plan.size()) {
    size_t rowEnd = plan.find(';', rowStart);
    std::string row = plan.substr(rowStart, rowEnd - rowStart);
    size_t typeAt = 0;
    for (int i = 0; i < 3; ++i) typeAt = row.find('|', typeAt) + 1;
    std::string type = row.substr(typeAt, row.find('|', typeAt) - typeAt);
    // Rows of the server's own temporary tables ("<union1,2>") scan only their results.
    if (row.find("|<") != std::string::npos) type = "temporary";
    EXPECT_NE(type, "ALL") << "full scan in: " << row << "\nstatement: " << statement;
    EXPECT_NE(type, "index") << "full index scan in: " << row << "\nstatement: " << statement;
    if (rowEnd == std::string::npos) break;
    rowStart = rowEnd + 1;
  }
}

// The candidate statements read all tracks of an artist or album: in the joined tables an
// index holds every column they take from matchtracks, so no row is looked up on its own.
struct CoveringCase {
  const char* what;
  std::function<bool(MYSQL*)> send;
  std::vector<std::string> trackTables;  // the names matchtracks has in the statement
};

class CoveringIndexTest : public testing::TestWithParam<CoveringCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(openTestDatabase(connection, "EXPLAIN_TEST")); }
  void TearDown() override { setDebugQueries(false); }
  Connection connection;
};

TEST_P(CoveringIndexTest, ReadsTracksFromTheIndexAlone) {
  SCOPED_TRACE(GetParam().what);
  useTableMode(TableMode::kJoined);
  MYSQL* handle = connection.getMyHandle();
  setDebugQueries(true);
  testing::internal::CaptureStderr();
  const bool sent = GetParam().send(handle);
  const std::string statement = statementOf(testing::internal::GetCapturedStderr());
  setDebugQueries(false);
  ASSERT_TRUE(sent) << statement;
  pendingRows(handle);
  ASSERT_TRUE(doQuery(handle, "explain " + statement, "explain"));
  const std::string plan = pendingRows(handle);
  for (const std::string& table : GetParam().trackTables) {
    const size_t row = plan.find("|" + table + "|");
    ASSERT_NE(row, std::string::npos) << table << " not in plan: " << plan;
    // Rows end in ';', and so may a part of Extra ("Using where; Using index"): a row
    // ends where the next one starts with its id.
    size_t end = row;
    while ((end = plan.find(';', end + 1)) != std::string::npos) {
      const std::string next = plan.substr(end + 1, plan.find('|', end + 1) - end - 1);
      if (next == "NULL" || next.find_first_not_of("0123456789") == std::string::npos) break;
    }
    const std::string line = plan.substr(row, end - row);
    EXPECT_NE(line.find("Using index"), std::string::npos) << "plan row: " << line;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Candidates, CoveringIndexTest,
    testing::Values(CoveringCase{"selectTracksByArtistIDs",
                                 [](MYSQL* h) {
                                   IdList ids = someIds();
                                   return selectTracksByArtistIDs(h, &ids);
                                 },
                                 {"t1", "t2"}},
                    CoveringCase{"selectTracksByAlbumIDs",
                                 [](MYSQL* h) {
                                   IdList ids = someIds();
                                   return selectTracksByAlbumIDs(h, &ids);
                                 },
                                 {"matchtracks"}}));

INSTANTIATE_TEST_SUITE_P(Statements, ExplainTest,
                         testing::Combine(testing::ValuesIn(kShapes),
                                          testing::Values(TableMode::kJoined,
                                                          TableMode::kTriplets,
                                                          TableMode::kTripletsDisk)));

}  // namespace
