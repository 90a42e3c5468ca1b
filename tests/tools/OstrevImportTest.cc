// Runs the built ostrev-import against the test run's private database IMPORT_TEST, which
// is emptied before every test, and reads back what it wrote.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/NameCountQueries.h"
#include "support/Subprocess.h"
#include "support/TestCatalogue.h"
#include "text/Normalize.h"
#include "text/Utf8.h"

namespace {

constexpr const char* kDatabase = "IMPORT_TEST";

const char* const kTables[] = {
    "artists", "matchartists", "matchartistsdisk",
    "albums", "matchalbums",
    "tracks", "matchtracks", "triplets", "triplets_disk",
    "track_name_counts", "album_name_counts", "artist_name_counts"};

const std::string kHeader =
    "album_key\talbum_title\talbum_artist\tupc\tdisc_track_no\ttrack_title\ttrack_artist\tisrc\n";

// A compilation with a UPC and an ISRC, an artist name with a quote, a backslash and a
// two-byte character, an album by one artist (a line of it ending in CR LF), and two bad
// lines, 6 and 7.
const std::string kCatalogue =
    kHeader +
    "c1\tHits \"Now\"\tVarious Artists\t0724384960650\t1-01\tSong A\tO'Brien \\ Bj\xC3\xB6rk\t"
    "USRC17607839\n"
    "c1\tHits \"Now\"\tVarious Artists\t0724384960650\t1-02\tSong B\tThe Band\t\n"
    "c1\tHits \"Now\"\tVarious Artists\t0724384960650\t1-03\tSong C\tO'Brien \\ Bj\xC3\xB6rk\t\n"
    "a2\tAlone\tThe Band\t\t1-01\tSolo\t\t\r\n"
    "bad\tline\twith\tfive\tcolumns\n"
    "a2\tAlone\tThe Band\t\t1-02\tS\xFFng\tThe Band\t\n"
    "a2\tAlone\tThe Band\t\t1-03\tSong A\tThe Band\tGBAYE0000351\n";

class OstrevImportTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openTestDatabase(connection, kDatabase));
    emptyEveryTable();
  }

  ProgramRun runImport(std::vector<std::string> args, const std::string& input) {
    args.insert(args.begin(), {OSTREV_IMPORT_PATH, std::string("--database=") + kDatabase});
    args.push_back("-");
    return runProgram(args, {}, input, 120);
  }

  // The rows of the statement, fields joined by '|', rows by ';'; "" for no result set.
  std::string rows(const std::string& statement) {
    MYSQL* handle = connection.getMyHandle();
    if (mysql_real_query(handle, statement.data(), statement.size()) != 0) {
      return std::string("<error: ") + mysql_error(handle) + ">";
    }
    return mysql_field_count(handle) == 0 ? "" : pendingRows(handle);
  }

  void emptyEveryTable() {
    for (const char* table : kTables) ASSERT_EQ(rows(std::string("truncate table ") + table), "");
  }

  std::string everyTable() {
    std::string dump;
    for (const char* table : kTables) {
      dump += std::string(table) + ": " +
              rows(std::string("select * from ") + table + " order by 1") + "\n";
    }
    return dump;
  }

  Connection connection;
};

TEST_F(OstrevImportTest, FillsEveryTableConsistently) {
  ProgramRun run = runImport({}, kCatalogue);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // Not a terminal: the bad lines and nothing else.
  EXPECT_EQ(run.err,
            "ostrev-import: line 6: expected 8 columns, found 5\n"
            "ostrev-import: line 7: invalid UTF-8 in track_title\n");
  EXPECT_NE(run.out.find("tracks imported:   5\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("lines skipped:     2\n"), std::string::npos) << run.out;

  const std::string obrien = "O'Brien \\ Bj\xC3\xB6rk";
  EXPECT_EQ(
      rows("select * from artists order by id"),
      "1|Various Artists|Various Artists;2|" + obrien + "|" + obrien + ";3|The Band|The Band");
  // Normalized as the lookups normalize a display name.
  GCharPtr normalized(normalize(obrien.c_str()));
  EXPECT_EQ(rows("select * from matchartists order by id"), "1|Various Artists|various artists;2|" +
                                                                obrien + "|" + normalized.get() +
                                                                ";3|The Band|band");
  EXPECT_EQ(rows("select * from matchartistsdisk order by id"),
            "1|Various Artists;2|" + obrien + ";3|The Band");

  EXPECT_EQ(rows("select * from albums order by id"),
            "1|Hits \"Now\"|NULL|NULL|724384960650|UPC;2|Alone|NULL|NULL|NULL|NULL");
  EXPECT_EQ(rows("select * from matchalbums order by id"), "1|Hits \"Now\"|1|1;2|Alone|3|0");

  EXPECT_EQ(rows("select * from tracks order by id"),
            "1|Song A|2|1|USRC17607839|NULL;2|Song B|3|1|NULL|NULL;3|Song C|2|1|NULL|NULL;"
            "4|Solo|3|2|NULL|NULL;5|Song A|3|2|GBAYE0000351|NULL");
  EXPECT_EQ(rows("select * from matchtracks order by id"),
            rows("select id, name, artist_id, album_id from tracks order by id"));
  EXPECT_EQ(rows("select * from triplets where track_id in (1, 4) order by track_id"),
            "1|Song A|2|" + obrien +
                "|1|Hits \"Now\"|USRC17607839|724384960650|1|Various Artists;"
                "4|Solo|3|The Band|2|Alone|NULL|NULL|0|The Band");
  const std::string tripletColumns =
      "track_id, track_name, artist_id, artist_name, album_id, album_name, isrc, upc, "
      "album_multiple_artists, album_artist_name";
  EXPECT_EQ(rows("select " + tripletColumns + " from triplets_disk order by 1"),
            rows("select " + tripletColumns + " from triplets order by 1"));
  EXPECT_EQ(rows("select count(*) from triplets_disk where normalized_track_name is null and "
                 "normalized_artist_name is null and normalized_album_name is null"),
            "5");

  EXPECT_EQ(rows("select * from track_name_counts order by 1"),
            "Solo|1;Song A|2;Song B|1;Song C|1");
  EXPECT_EQ(rows("select * from album_name_counts order by 1"), "Alone|2;Hits \"Now\"|3");
  EXPECT_EQ(rows("select * from artist_name_counts order by 1"),
            obrien + "|2|1;The Band|3|1;Various Artists|0|1");
}

TEST_F(OstrevImportTest, ReplacingWithTheSameFileGivesTheSameRows) {
  ASSERT_EQ(runImport({}, kCatalogue).exitStatus, 0);
  std::string before = everyTable();
  ProgramRun run = runImport({"--replace", "--batch", "1"}, kCatalogue);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(everyTable(), before);
}

TEST_F(OstrevImportTest, AppendingKeepsArtistIdsAndAddsToTheCounts) {
  ASSERT_EQ(runImport({}, kCatalogue).exitStatus, 0);
  const std::string more = kHeader +
                           "n1\tNew\tThe Band\t\t1-01\tsong a\tNewcomer\t\n"
                           "n1\tNew\tThe Band\t\t1-02\tFresh\t\t\n";
  ProgramRun run = runImport({"--append"}, more);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("artists added:     1\n"), std::string::npos) << run.out;
  EXPECT_EQ(rows("select * from matchartists where id > 3"), "4|Newcomer|newcomer");
  EXPECT_EQ(rows("select * from matchalbums where id > 2"), "3|New|3|1");
  EXPECT_EQ(rows("select id, artist_id, album_id from tracks where id > 5 order by id"),
            "6|4|3;7|3|3");
  // "song a" and "Song A" are one name to the catalogue's collation.
  EXPECT_EQ(rows("select * from track_name_counts where track_name = 'Song A'"), "Song A|3");
  EXPECT_EQ(rows("select * from artist_name_counts where artist_name in ('The Band', 'Newcomer') "
                 "order by 1"),
            "Newcomer|1|1;The Band|4|1");
}

// Every import that changes the catalogue raises the generation by one; a refused one
// leaves it.
TEST_F(OstrevImportTest, EveryImportRaisesTheGeneration) {
  const auto generation = [this] {
    return std::stoll(rows("select coalesce(max(generation), 0) from catalogue_generation"));
  };
  const std::string more = kHeader + "n1\tNew\tThe Band\t\t1-01\tFresh\t\t\n";
  struct Step {
    std::vector<std::string> args;
    std::string input;
    int exitStatus;
    long long raisedBy;
  };
  const Step steps[] = {{{}, kCatalogue, 0, 1},
                        {{"--append"}, more, 0, 1},
                        {{"--replace"}, kCatalogue, 0, 1},
                        {{}, kCatalogue, 1, 0},
                        {{"--append", "--insert-statements"}, more, 0, 1}};
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::PrintToString(step.args));
    const long long before = generation();
    EXPECT_EQ(runImport(step.args, step.input).exitStatus, step.exitStatus);
    EXPECT_EQ(generation(), before + step.raisedBy);
  }
}

// 79 ASCII bytes and an "\xC3\xA9" that the 80-byte cut would split: the tables hold 79
// bytes, and the look-ups must cut the full name to the same 79.
TEST_F(OstrevImportTest, CountedNamesAreFoundByTheCountLookUps) {
  const std::string name = std::string(79, 'n') + "\xC3\xA9 and more";
  ProgramRun run = runImport(
      {}, kHeader + "k\t" + name + "\tThe Band\t\t1-01\t" + name + "\t" + name + "\t\n");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  MYSQL* handle = connection.getMyHandle();
  ASSERT_TRUE(selectTrackCounterByName(handle, name));
  EXPECT_EQ(pendingRows(handle), "1");
  ASSERT_TRUE(selectTrackCounterByAlbumName(handle, name));
  EXPECT_EQ(pendingRows(handle), "1");
  ASSERT_TRUE(selectArtistCounterByName(handle, name));
  EXPECT_EQ(pendingRows(handle), "1");
}

// The same track lines in other orders and spellings: an album whose lines are apart (its
// rows are written before a later line brings another artist), names equal but for case
// in different batches, and titles holding what LOAD DATA would read as escapes.
const std::string kScattered =
    kHeader +
    "s1\tSplit\tThe Band\t\t1-01\tsong a\t\t\n"
    "s2\tOther\tNewcomer\t123\t1-01\tBack\\N\\slash\t\t\n"
    "s1\tSplit\tThe Band\t\t1-02\tSONG A\tGuest\tGBAYE0000352\n"
    "s2\tOther\tnewcomer\t123\t1-02\tSong A\tthe band\t\n"
    "s3\tsplit\tGuest\t\t1-01\t\\\t\t\n";

struct PathCase {
  std::string name;
  std::string existing;  // imported first, row by row
  std::vector<std::string> args;
  std::string input;
  std::string batch = "1000";  // tracks per batch, both ways
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class OstrevImportPathTest : public OstrevImportTest,
                             public testing::WithParamInterface<PathCase> {
 protected:
  // What importing gives: every table, then standard error.
  std::string outcome(std::vector<std::string> args) {
    args.push_back("--batch=" + GetParam().batch);
    emptyEveryTable();
    if (!GetParam().existing.empty()) {
      ProgramRun setup = runImport({"--append", "--insert-statements"}, GetParam().existing);
      if (setup.exitStatus != 0) return "setup failed: " + setup.err;
    }
    ProgramRun run = runImport(args, GetParam().input);
    return everyTable() + "exit " + std::to_string(run.exitStatus) + ", stderr: " + run.err;
  }
};

// Row by row is how a catalogue is added to: one INSERT statement after another into the
// indexed tables, batch by batch. Every other way must leave the same rows and report the
// same lines.
TEST_P(OstrevImportPathTest, LeavesTheRowsOfTheRowByRowPath) {
  std::string expected = outcome({"--append", "--insert-statements"});
  ASSERT_NE(expected.find("exit 0"), std::string::npos) << expected;
  EXPECT_EQ(outcome(GetParam().args), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, OstrevImportPathTest,
    testing::Values(
        PathCase{"bulk_with_bad_lines", "", {}, kCatalogue},
        PathCase{"bulk_by_insert_statements", "", {"--insert-statements"}, kCatalogue},
        PathCase{"bulk_one_track_per_batch", "", {}, kScattered, "1"},
        PathCase{"bulk_scattered_albums", "", {}, kScattered},
        PathCase{"appending_by_load_data", kCatalogue, {"--append"}, kScattered},
        PathCase{"appending_one_track_per_batch", kCatalogue, {"--append"}, kScattered, "1"}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

// Replacing builds the catalogue aside; what it leaves is what importing into an empty
// one leaves, and the tables keep every key.
TEST_F(OstrevImportTest, ReplacingKeepsEveryKeyAndLeavesNoCopies) {
  // The counter that loading ids moves on is no part of the definition.
  auto definitions = [this] {
    std::string text;
    for (const char* table : kTables) text += rows(std::string("show create table ") + table);
    return std::regex_replace(text, std::regex(" AUTO_INCREMENT=[0-9]+"), "");
  };
  std::string before = definitions();
  ASSERT_EQ(runImport({}, kScattered).exitStatus, 0);
  std::string scattered = everyTable();
  ASSERT_EQ(runImport({"--replace"}, kCatalogue).exitStatus, 0);
  // What an interrupted import would leave behind.
  ASSERT_EQ(rows("create table tracks__import like tracks"), "");
  ProgramRun run = runImport({"--replace"}, kScattered);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(everyTable(), scattered);
  EXPECT_EQ(definitions(), before);
  EXPECT_EQ(rows("show tables like '%\\_\\_%'"), "");
}

struct RefusalCase {
  std::vector<std::string> args;
  std::string input;
  int exitStatus;
  std::string message;  // expected in standard error, or in standard output for status 0
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << testing::PrintToString(c.args) << " with input " << testing::PrintToString(c.input);
}

class OstrevImportRefusalTest : public OstrevImportTest,
                                public testing::WithParamInterface<RefusalCase> {};

// Each refusal leaves an imported catalogue as it was.
TEST_P(OstrevImportRefusalTest, RefusesAndWritesNothing) {
  ASSERT_EQ(runImport({}, kCatalogue).exitStatus, 0);
  std::string before = everyTable();
  ProgramRun run = runImport(GetParam().args, GetParam().input);
  EXPECT_EQ(run.exitStatus, GetParam().exitStatus) << run.err;
  const std::string& shown = GetParam().exitStatus == 0 ? run.out : run.err;
  EXPECT_NE(shown.find(GetParam().message), std::string::npos) << shown;
  EXPECT_EQ(everyTable(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, OstrevImportRefusalTest,
    testing::Values(RefusalCase{{}, kCatalogue, 1, "already has tracks; give --append"},
                    // The header is checked before anything is emptied.
                    RefusalCase{{"--replace"},
                                "album_key\talbum_title\n" + kCatalogue,
                                1,
                                "line 1: expected the header album_key<TAB>album_title<TAB>"},
                    RefusalCase{{"--replace"}, "", 1, "line 1: expected the header"},
                    RefusalCase{{"--replace", "--password=wrong"},
                                kCatalogue,
                                1,
                                "cannot connect to database IMPORT_TEST on localhost as vlot: "
                                "Access denied"},
                    RefusalCase{{"--replace", "--batch=0"}, kCatalogue, 2,
                    "--batch needs a whole number from 1 to 100000\n\nUsage: ostrev-import"},
        RefusalCase{{"--append", "--replace"}, kCatalogue, 2,
                    "--append and --replace exclude each other"},
        RefusalCase{{"--users=u"}, kCatalogue, 2, "unknown option --users=u"},
        RefusalCase{{"file.tsv"}, kCatalogue, 2, "only one file can be imported at a time"},
                    RefusalCase{
                        {"--help"}, "", 0, "carriage return at the end of a line is dropped"}));

}  // namespace
