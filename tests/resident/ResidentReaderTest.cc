// The two readers against each other: for every probe, each look-up gives the same rows in
// the same order from the statements and from the resident catalogue, in every table
// mode, on catalogues whose names collide under the collation (case, accents, blanks).
#include "resident/ResidentReader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "db/Connection.h"
#include "db/QueryResult.h"
#include "getdata/StatementReader.h"
#include "resident/ResidentLoader.h"
#include "support/TableMode.h"
#include "support/TestCatalogue.h"

namespace {

// Every reader look-up of `probe`, written out row by row.
std::string lookupsOf(CatalogueReader& reader, const std::string& probe) {
  std::string out;
  auto ids = [&](const IdList& list) {
    for (const auto& id : list) out += std::to_string(*id) + ",";
    out += "\n";
  };
  auto row = [&](const TrackRow& r) {
    out += std::to_string(r.trackId) + "|" + std::string(r.trackName) + "|" +
           std::string(r.artistName) + "|" + std::string(r.albumName) + "|" +
           std::to_string(r.artistId) + "|" + std::to_string(r.albumId) + ";";
  };
  auto records = [&](const auto& list) {
    for (const trackRecord& r : list) {
      out += r.trackId + "|" + r.artistId + "|" + r.albumId + "|" + r.trackName + "|" +
             r.artistName + "|" + r.albumName + ";";
    }
    out += "\n";
  };
  out += "artistIds ";
  ids(reader.artistIds(probe));
  out += "albumIds ";
  ids(reader.albumIds(probe));
  out += "normalized " + reader.normalizedArtistName(probe) + "\n";
  std::vector<trackRecord> albums;
  out += "albumsByUpc " + std::to_string(reader.albumsByUpc(probe, &albums)) + " ";
  records(albums);
  out += "artistsOfAlbum ";
  reader.artistsOfAlbum(probe, [&](std::string_view name) { out += std::string(name) + ";"; });
  out += "\ntracksOfArtists ";
  reader.tracksOfArtists(reader.artistIds(probe), row);
  out += "\ntracksOfAlbums ";
  reader.tracksOfAlbums(reader.albumIds(probe), row);
  out += "\ntracksNamed ";
  reader.tracksNamed(probe, row);
  out += "\ntrackNameCount " + std::to_string(reader.trackNameCount(probe)) + "\n";
  std::vector<trackRecord> isrcTracks;
  out += "tracksByIsrc " + std::to_string(reader.tracksByIsrc(probe, &isrcTracks)) + " ";
  records(isrcTracks);
  std::list<trackRecord> upcTracks, nameTracks;
  out += "albumTracksByUpc " + std::to_string(reader.albumTracksByUpc(probe, &upcTracks)) + " ";
  records(upcTracks);
  out += "albumTracksByName " + std::to_string(reader.albumTracksByName(probe, &nameTracks)) + " ";
  records(nameTracks);
  TrackColumns names;
  const bool found = reader.trackNames(probe, &names);
  auto column = [](const std::optional<std::string>& field) { return field ? *field : "NULL"; };
  out += "trackNames " + std::to_string(found) + " " + column(names.trackName) + "|" +
         column(names.artistId) + "|" + column(names.artistName) + "|" +
         column(names.albumId) + "|" + column(names.albumName) + "\n";
  return out;
}

std::string exactTracksOf(CatalogueReader& reader, const std::string& artist,
                          const std::string& album, const std::string& title) {
  std::string out;
  reader.exactTracks(artist, album, title, [&](uint64_t id, std::string_view artistName) {
    out += std::to_string(id) + "|" + std::string(artistName) + ";";
    return true;
  });
  return out;
}

std::vector<std::string> column(MYSQL* handle, const std::string& statement) {
  std::vector<std::string> values;
  if (mysql_query(handle, statement.c_str()) != 0) return values;
  QueryResult rows(handle);
  while (MYSQL_ROW row = rows.next()) values.push_back(row[0] != nullptr ? row[0] : "");
  return values;
}

TrackTables tablesOf(TableMode mode) {
  switch (mode) {
    case TableMode::kTriplets: return TrackTables::kTriplets;
    case TableMode::kTripletsDisk: return TrackTables::kTripletsDisk;
    default: return TrackTables::kJoined;
  }
}

class ResidentReaderTest
    : public testing::TestWithParam<std::tuple<const char*, TableMode>> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestDatabase(connection_, std::get<0>(GetParam())));
    useTableMode(std::get<1>(GetParam()));
    std::string error;
    std::shared_ptr<const ResidentCatalogue> catalogue =
        ResidentLoader::load(handle(), tablesOf(std::get<1>(GetParam())), &error);
    ASSERT_NE(catalogue, nullptr) << error;
    resident_.pin(catalogue);
  }
  void TearDown() override { useTableMode(TableMode::kJoined); }
  MYSQL* handle() { return connection_.getMyHandle(); }

  // Names of the catalogue (every `step`-th), each also in other case and with a blank.
  std::vector<std::string> probes() {
    std::vector<std::string> names;
    for (const char* statement :
         {"select display_name from matchartists", "select normalized_name from matchartists",
          "select name from matchalbums", "select name from matchtracks",
          "select isrc from tracks", "select cast(upc as char) from albums",
          "select cast(id as char) from tracks"}) {
      const std::vector<std::string> values = column(handle(), statement);
      const size_t step = values.size() / 40 + 1;
      for (size_t i = 0; i < values.size(); i += step) {
        names.push_back(values[i]);
        names.push_back(firstValue(handle(), "select upper(" + quoted(values[i]) + ")"));
        names.push_back(values[i] + " ");
      }
    }
    for (const char* odd : {"", " ", "0", "-0", "007", " 100007", "100007abc", "1e3",
                            "unknown", "Various Artists", "no such name", "\xff\xfe",
                            "99999999999999999999999"}) {
      names.push_back(odd);
    }
    std::set<std::string> seen;
    std::vector<std::string> distinct;
    for (std::string& name : names) {
      if (seen.insert(name).second) distinct.push_back(std::move(name));
    }
    return distinct;
  }

  std::string quoted(const std::string& text) {
    std::string escaped(text.size() * 2 + 1, '\0');
    escaped.resize(mysql_real_escape_string(handle(), &escaped[0], text.data(), text.size()));
    return "'" + escaped + "'";
  }

  Connection connection_;
  ResidentReader resident_;
};

TEST_P(ResidentReaderTest, EveryLookupGivesTheStatementsRows) {
  StatementReader statements(handle());
  for (const std::string& probe : probes()) {
    EXPECT_EQ(lookupsOf(resident_, probe), lookupsOf(statements, probe)) << "probe [" << probe << "]";
  }
}

TEST_P(ResidentReaderTest, ExactTracksAsTheStatementFindsThem) {
  StatementReader statements(handle());
  // Each track's own names, the album artist's in its place, and other case throughout.
  const std::string names =
      "select concat_ws(char(9), ar.display_name, al.name, t.name, coalesce(alar.display_name, ''))"
      " from matchtracks t join matchartists ar on ar.id = t.artist_id"
      " join matchalbums al on al.id = t.album_id"
      " left join matchartists alar on alar.id = al.artist_id where t.id % 37 = 1";
  for (const std::string& line : column(handle(), names)) {
    std::vector<std::string> f;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      f.push_back(line.substr(start, tab - start));
    }
    f.push_back(line.substr(start));
    ASSERT_EQ(f.size(), 4u) << line;
    for (const auto& [artist, album, title] :
         {std::make_tuple(f[0], f[1], f[2]), std::make_tuple(f[3], f[1], f[2]),
          std::make_tuple(firstValue(handle(), "select upper(" + quoted(f[0]) + ")"),
                          firstValue(handle(), "select lower(" + quoted(f[1]) + ")"),
                          f[2] + " ")}) {
      EXPECT_EQ(exactTracksOf(resident_, artist, album, title),
                exactTracksOf(statements, artist, album, title))
          << "[" << artist << "] [" << album << "] [" << title << "]";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogues, ResidentReaderTest,
    testing::Combine(testing::Values("RESIDENT_TEST", "GETDATA_TEST", "MEDIA"),
                     testing::Values(TableMode::kJoined, TableMode::kTriplets,
                                     TableMode::kTripletsDisk)),
    [](const testing::TestParamInfo<ResidentReaderTest::ParamType>& info) {
      return std::string(std::get<0>(info.param)).substr(0, 4) + "_" +
             tableModeName(std::get<1>(info.param));
    });

}  // namespace
