// Runs the built ostrev-import against the test run's private database IMPORT_TEST, which
// is emptied before every test, and reads back what it wrote.
#include <gtest/gtest.h>

#include <cstdlib>
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

  // The SHA-256 of the table's rows in the order of their first column's bytes, as the
  // database's command-line client prints them in batch mode.
  std::string tableDigest(const std::string& table) {
    MYSQL* handle = connection.getMyHandle();
    std::string first = rows("select column_name from information_schema.columns where "
                             "table_schema = database() and table_name = '" + table +
                             "' order by ordinal_position limit 1");
    std::string statement =
        "select * from `" + table + "` order by cast(`" + first + "` as binary)";
    if (mysql_real_query(handle, statement.data(), statement.size()) != 0) return "error";
    MYSQL_RES* result = mysql_store_result(handle);
    if (result == nullptr) return "error";
    std::string text;
    unsigned columns = mysql_num_fields(result);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
      unsigned long* lengths = mysql_fetch_lengths(result);
      for (unsigned c = 0; c < columns; ++c) {
        if (c > 0) text += '\t';
        text += row[c] == nullptr ? std::string("NULL") : std::string(row[c], lengths[c]);
      }
      text += '\n';
    }
    mysql_free_result(result);
    GCharPtr digest(g_compute_checksum_for_string(G_CHECKSUM_SHA256, text.data(), text.size()));
    return digest.get();
  }

  static std::string hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    }
    return out;
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

// The count tables cut a name where countedName() does, never inside a character.
TEST_F(OstrevImportTest, CountTablesCutNamesAsTheLookUpsDo) {
  const std::string a78(78, 'a');
  const std::string names[] = {a78 + "bcd", a78 + "b\xC3\xA9", a78 + "\xE2\x82\xAC",
                               a78 + "\xF0\x9F\x8E\xB5", a78.substr(0, 40) + "\xC3\xA9"};
  for (const std::string& name : names) {
    SCOPED_TRACE(testing::PrintToString(name));
    emptyEveryTable();
    ASSERT_EQ(runImport({}, kHeader + "k\t" + name + "\t" + name + "\t\t1\t" + name + "\t\t\n")
                  .exitStatus,
              0);
    const std::string counted = countedName(name);
    EXPECT_EQ(rows("select hex(track_name) from track_name_counts"), hex(counted));
    EXPECT_EQ(rows("select hex(album_name) from album_name_counts"), hex(counted));
    EXPECT_EQ(rows("select hex(artist_name) from artist_name_counts"), hex(counted));
  }
}

struct FlagCase {
  std::string albumArtist;
  std::vector<std::string> trackArtists;
  std::string multipleArtists;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
  *os << "album artist " << testing::PrintToString(c.albumArtist) << ", track artists "
      << testing::PrintToString(c.trackArtists);
}

class OstrevImportFlagTest : public OstrevImportTest,
                             public testing::WithParamInterface<FlagCase> {};

// An album has several artists when any of its tracks is by another than the album's.
TEST_P(OstrevImportFlagTest, MultipleArtistsWhenAnyTrackHasAnother) {
  std::string input = kHeader;
  for (const std::string& artist : GetParam().trackArtists) {
    input += "k\tAlbum\t" + GetParam().albumArtist + "\t\t1\tSong\t" + artist + "\t\n";
  }
  ASSERT_EQ(runImport({}, input).exitStatus, 0);
  EXPECT_EQ(rows("select multiple_artists from matchalbums"), GetParam().multipleArtists);
  EXPECT_EQ(rows("select distinct album_multiple_artists from triplets"),
            GetParam().multipleArtists);
}

INSTANTIATE_TEST_SUITE_P(Albums, OstrevImportFlagTest,
                         testing::Values(FlagCase{"Band", {"Band", ""}, "0"},
                                         FlagCase{"Band", {"Band", "Band "}, "1"},
                                         FlagCase{"", {"", ""}, "0"},
                                         FlagCase{"", {"", "Band"}, "1"}));

// What every table holds after importing the sample catalogue and a generated one, as the
// importer derived them before the derivation moved into SQL: the SHA-256 of each table's
// rows ordered by the bytes of their first column, fields joined by tabs, NULL as "NULL".
struct DigestCase {
  const char* catalogue;
  const char* table;
  const char* sha256;
};

const DigestCase kDigests[] = {
    {"sample", "artists", "76380de66bf662c1a01cd7c78d0daf79a5d225524cc3978894f9bc6181ec4ee5"},
    {"sample", "matchartists", "02e2efbfa42b474d667447584e7e63b212fe99109a2e5f1afa22e5340e877dde"},
    {"sample", "matchartistsdisk",
     "6b4b7c933a7dfc5d7bc932a18529ec5d70b10f7d582df7ca897ace44454ffce0"},
    {"sample", "albums", "2ea3210d7a50d3a084ab8103458043810357a5a1a781328fb4b47ce8d803b463"},
    {"sample", "matchalbums", "7b952d1b766eea3eb9a23bed4724900630caf5fb8d5930dc35755ec16e1a10bb"},
    {"sample", "tracks", "f6a095ba13d8e78cd2ef6b491137385b49a3cb2ced04bacd6ad23a112eb148d5"},
    {"sample", "matchtracks", "173d05531fd074d30cd5e80aff6cf4d7ff48de451f7609f23072d8495259fc44"},
    {"sample", "triplets", "ff02ba44258d4707a220a5fc17f5a756aa9f772b4b60037877fbf7393507c34a"},
    {"sample", "triplets_disk", "deb8f9c7d404084ebfe9e1e855bd0e677a1e80639960dfb2da53b8ff5319e13f"},
    {"sample", "track_name_counts",
     "3624ea261a0b5a1eb26b391be9cfb4e39e89fc2d8a55fecee31d2f5432d3b12a"},
    {"sample", "album_name_counts",
     "22868c1c48524b729391de95e783ed5e00413e5fdbab2d35ac79194cfcfa0dc9"},
    {"sample", "artist_name_counts",
     "62adfd2494dffa3b1a69d8a5a7e39e9fff951f303c0c52e3cf599d9ac83cafc5"},
    {"generated", "artists", "c3eecbf878818df3a11a70df67ec64a11a205be4109e909011e5deb6c85c84dd"},
    {"generated", "matchartists",
     "730a26681e91b57f7bcabf09292084ebe2676988daaa4a48d6cb731d36b95196"},
    {"generated", "matchartistsdisk",
     "c7f48d175653cfa3e78e016c6ec4881d04af0f8e3e6ed7404d02212950bfef81"},
    {"generated", "albums", "cec607355267f13a6e97edbcb6f45ed1c77cb3f774565a51d5d0eb5bffee9ebb"},
    {"generated", "matchalbums",
     "41af952e79c9ebea24c91ecc20ca2ffd8d5a920cd035cacdec6a080c09701e52"},
    {"generated", "tracks", "e81eb0967e35e4202a76365b099bd5de49aab04a659aba7f413e68401a85c766"},
    {"generated", "matchtracks",
     "27d44ed1ba8cb5c7b69bf2022d2fed12e66a041ad6c9cc2e81517ec53adfd9a3"},
    {"generated", "triplets", "53b56722f0df4bf998440d9a63ef7d0ddb51710fa6d8d4600bd6e515bd6fbd0a"},
    {"generated", "triplets_disk",
     "61543e0f8b126c14edeb7ef08a36ba975842e7a4f52348ed7bdddc7ffd708dda"},
    {"generated", "track_name_counts",
     "8bad0404242af9efb5edc06dc1fa0eaa8ebefca15f5c6b385c22288e21fedebd"},
    {"generated", "album_name_counts",
     "ca7f288de04127b5f2b8a806e5b1ab475e0d293790a98705ebc48374b500017e"},
    {"generated", "artist_name_counts",
     "b6e2088f49deffa9530e6e55e72773d92f9a0dd1ba93fa63a14f6c4124f18741"},
};

TEST_F(OstrevImportTest, DerivesTheRowsTheImporterDerivedBefore) {
  const char* sourceDir = getenv("OSTREV_SOURCE_DIR");
  const std::string source = sourceDir != nullptr ? sourceDir : ".";
  const std::string generated = testing::TempDir() + "generated-catalogue.tsv";
  // Generated with a fixed seed; a catalogue of this size has no two names that only the
  // collation holds equal within one batch, where the former order differed.
  ProgramRun generate = runProgram({source + "/bench/generate-catalogue", "-n", "3000",
                                    "--seed", "1", "-o", generated});
  ASSERT_EQ(generate.exitStatus, 0) << generate.err;
  const std::pair<std::string, std::string> files[] = {
      {"sample", source + "/data/sample-catalogue.tsv"}, {"generated", generated}};
  for (const auto& [catalogue, file] : files) {
    emptyEveryTable();
    ProgramRun run = runProgram({OSTREV_IMPORT_PATH, std::string("--database=") + kDatabase, file});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    for (const DigestCase& expected : kDigests) {
      if (catalogue != expected.catalogue) continue;
      SCOPED_TRACE(catalogue + " " + expected.table);
      EXPECT_EQ(tableDigest(expected.table), expected.sha256);
    }
  }
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
