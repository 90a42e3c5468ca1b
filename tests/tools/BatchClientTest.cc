// ostrev-batch end to end: the built program against a real ostrevd on the test catalogue
// (MEDIA), its output read back the way a user's tools would read it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/HttpClient.h"
#include "support/ServerUnderTest.h"
#include "support/Subprocess.h"
#include "support/TestNames.h"
#include "tools/batch/input_lines.h"
#include "tools/batch/row_reader.h"

namespace {

constexpr int kTimeoutSeconds = 60;

// The columns after the input's.
const std::vector<std::string> kResultColumns = {
    "match_track_id", "match_track", "match_artist_id", "match_artist",     "match_album_id",
    "match_album",    "match_score", "match_album_score", "status"};

class Folder {
 public:
  ~Folder() {
    for (const std::string& path : written_) unlink(path.c_str());
    rmdir(path_.c_str());
  }
  // A path in the folder, removed with it.
  std::string path(const std::string& name) {
    written_.push_back(path_ + "/" + name);
    return written_.back();
  }
  std::string write(const std::string& name, const std::string& content) {
    std::string file = path(name);
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  const std::string path_ = makeTempFolder();
  std::vector<std::string> written_;
};

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    parts.push_back(text.substr(start, at - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The records of a CSV text, the header first, as the batch's own CSV reader reads them.
std::vector<std::vector<std::string>> csvRecords(const std::string& text) {
  Folder folder;
  InputLines lines(kMaxInputLineBytes);
  std::string problem;
  EXPECT_EQ(lines.open(folder.write("out.csv", text), &problem), InputLines::kOpened);
  std::unique_ptr<RowReader> reader = openRowReader(Format::kCsv, lines, &problem);
  if (reader == nullptr) {
    ADD_FAILURE() << problem << " in\n" << text;
    return {};
  }
  std::vector<std::vector<std::string>> all = {reader->columns()};
  Row row;
  while (reader->next(&row)) {
    EXPECT_EQ(row.problem, "") << "line " << row.line << " of\n" << text;
    all.emplace_back();
    for (size_t i = 0; i < reader->columns().size(); ++i) {
      all.back().push_back(inputText(row, i, reader->columns()[i]));
    }
  }
  return all;
}

// A TSV output's rows (the header first), each split at its tabs.
std::vector<std::vector<std::string>> tsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : split(text, '\n')) {
    if (!line.empty()) rows.push_back(split(line, '\t'));
  }
  return rows;
}

std::vector<std::string> withResults(std::vector<std::string> inputColumns) {
  inputColumns.insert(inputColumns.end(), kResultColumns.begin(), kResultColumns.end());
  return inputColumns;
}

ProgramRun runBatch(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), OSTREV_BATCH_PATH);
  return runProgram(args, {}, input, kTimeoutSeconds);
}

class BatchClientTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.ready()) << server_.program().err(); }

  ProgramRun ask(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), "--socket=" + server_.socketPath());
    return runBatch(args, input);
  }

  ServerUnderTest server_;
  Folder folder_;
};

struct StatusCase {
  std::string row;  // title, artist, album, note
  std::string trackId;
  std::string status;  // a regular expression
};

TEST_F(BatchClientTest, GivesEachRowItsStatus) {
  const std::string longTitle(200, 't');
  const std::vector<StatusCase> cases = {
      {"Come Together\tThe Beatles\tAbbey Road\texact", "100", "confident"},
      {"Jóga\tThe Beatles\tHomogenic\twrong artist", "102", "low"},
      {"Xxxxx\tQqqqq\tZzzzz\tnothing alike", "0", "none"},
      {"Come Together\tThe Beatles\tone field short", "", "error: 3 fields, the header 4 fields"},
      {longTitle + "\t\t\ttoo long", "", "error: title is 200 bytes, at most 199"},
      {"\xff\t\t\tnot UTF-8", "", "error: column 1 \\(title\\) is not valid UTF-8"},
      {"Something\tThe Beatles\t\tafter the bad rows", "101", "confident"}};
  std::string input = "title\tartist\talbum\tnote\n";
  for (const StatusCase& c : cases) input += c.row + "\n";
  ProgramRun run = ask({"-"}, input);
  ASSERT_EQ(run.exitStatus, 0) << run.err;

  std::vector<std::vector<std::string>> rows = tsvRows(run.out);
  ASSERT_EQ(rows.size(), cases.size() + 1) << run.out;
  EXPECT_EQ(rows[0], withResults({"title", "artist", "album", "note"}));
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("row " + cases[i].row);
    ASSERT_EQ(rows[i + 1].size(), rows[0].size());
    EXPECT_EQ(rows[i + 1][4], cases[i].trackId);
    EXPECT_TRUE(std::regex_match(rows[i + 1].back(), std::regex(cases[i].status)))
        << rows[i + 1].back();
  }
  // Carried through, the bad rows' as far as they go.
  EXPECT_EQ(rows[1][3], "exact");
  EXPECT_EQ(rows[4][2], "one field short");
  EXPECT_EQ(rows[1][5] + "|" + rows[1][7] + "|" + rows[1][9],
            "Come Together|The Beatles|Abbey Road");

  // Each bad row is reported with its line; the summary counts every status.
  EXPECT_TRUE(std::regex_search(
      run.err, std::regex("ostrev-batch: standard input line 5: 3 fields, the header 4 fields\n"
                          "ostrev-batch: standard input line 6: title is 200 bytes, at most 199\n"
                          "ostrev-batch: standard input line 7: column 1 \\(title\\) is not "
                          "valid UTF-8\n")))
      << run.err;
  EXPECT_TRUE(std::regex_search(
      run.err, std::regex("ostrev-batch: 7 rows in [0-9.]+ s, [0-9]+ rows/s: 2 confident, 1 low, "
                          "1 none, 3 error\n$")))
      << run.err;
}

// However the connections finish, row n of the output is row n of the input.
TEST_F(BatchClientTest, KeepsInputOrderOverManyConnections) {
  const std::vector<std::pair<std::string, std::string>> queries = {
      {"Come Together\tThe Beatles", "100"},
      {"Sweet Child O' Mine\tGuns N' Roses", "103"},
      {"Xxxxx\tQqqqq", "0"},
      {"Jóga\tBjörk", "102"}};
  std::string input = "n\ttitle\tartist\n";
  const int rowCount = 400;
  for (int n = 0; n < rowCount; ++n) {
    input += std::to_string(n) + "\t" + queries[n % queries.size()].first + "\n";
  }
  ProgramRun run = ask({"--connections", "8", folder_.write("q.tsv", input)});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::vector<std::string>> rows = tsvRows(run.out);
  ASSERT_EQ(rows.size(), rowCount + 1u);
  for (int n = 0; n < rowCount; ++n) {
    ASSERT_EQ(rows[n + 1][0], std::to_string(n));
    ASSERT_EQ(rows[n + 1][3], queries[n % queries.size()].second) << "row " << n;
  }
}

TEST_F(BatchClientTest, CsvValuesSurviveTheRoundTrip) {
  const std::vector<std::string> notes = {"plain",     "a, b", "say \"hi\"", "two\nlines",
                                          "  spaced ", "",     "\"\n\","};
  std::string input = "title,artist,note\n";
  for (const std::string& note : notes) {
    std::string quoted = std::regex_replace(note, std::regex("\""), "\"\"");
    input += "\"Back\\slash \"\"Quoted\"\"\",Guns N' Roses,\"" + quoted + "\"\n";
  }
  ProgramRun run = ask({folder_.write("q.csv", input)});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::vector<std::string>> records = csvRecords(run.out);
  ASSERT_EQ(records.size(), notes.size() + 1) << run.out;
  EXPECT_EQ(records[0], withResults({"title", "artist", "note"}));
  for (size_t i = 0; i < notes.size(); ++i) {
    ASSERT_EQ(records[i + 1].size(), records[0].size()) << run.out;
    EXPECT_EQ(records[i + 1][2], notes[i]);
    EXPECT_EQ(records[i + 1][0], "Back\\slash \"Quoted\"");
    EXPECT_EQ(records[i + 1][3], "108");
    EXPECT_EQ(records[i + 1][4], "Back\\slash \"Quoted\"");
  }
}

TEST_F(BatchClientTest, JsonLinesCarryTheirKeys) {
  const std::string input =
      "{\"id\":7,\"title\":\"Come Together\",\"artist\":\"The Beatles\",\"tags\":[\"x\"]}\n"
      "{\"title\": \"Jóga\", \"isrc\": \"GBAMB9700012\", \"upc\": null}\n"
      "\n"
      "{\"title\": 5\n"
      "[\"not an object\"]\n";
  ProgramRun run = ask({"--input-format", "jsonl", "-"}, input);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::string> lines = split(run.out, '\n');
  ASSERT_EQ(lines.size(), 5u) << run.out;
  EXPECT_EQ(lines.back(), "");
  std::vector<nlohmann::json> objects;
  for (size_t i = 0; i + 1 < lines.size(); ++i) objects.push_back(nlohmann::json::parse(lines[i]));
  EXPECT_EQ(objects[0]["id"], 7);
  EXPECT_EQ(objects[0]["tags"], nlohmann::json::array({"x"}));
  EXPECT_EQ(objects[0]["match_track_id"], 100);
  EXPECT_EQ(objects[0]["status"], "confident");
  EXPECT_EQ(objects[0]["artist"], "The Beatles");
  EXPECT_EQ(objects[1]["match_track_id"], 102);
  EXPECT_EQ(objects[1]["match_track"], "Jóga");
  EXPECT_EQ(objects[1]["isrc"], "GBAMB9700012");
  for (int bad : {2, 3}) {
    EXPECT_TRUE(objects[bad]["match_track_id"].is_null()) << lines[bad];
    EXPECT_EQ(objects[bad]["status"].get<std::string>().rfind("error: ", 0), 0u) << lines[bad];
  }
  EXPECT_NE(run.err.find("standard input line 4: not JSON"), std::string::npos) << run.err;
  // A later object with a result's key keeps its own value, and is not sent.
  ProgramRun later = ask({"--input-format", "jsonl", "-"},
                         "{\"title\": \"Come Together\"}\n{\"title\": \"x\", \"status\": \"mine\"}\n");
  ASSERT_EQ(later.exitStatus, 0) << later.err;
  EXPECT_EQ(nlohmann::json::parse(split(later.out, '\n')[1])["status"], "mine") << later.out;
  EXPECT_NE(later.err.find("line 2: key status has the name of a result column"),
            std::string::npos)
      << later.err;
  EXPECT_NE(run.err.find("standard input line 5: not a JSON object"), std::string::npos);
}

// What cannot be written as it is in the format asked for: TSV keeps its columns, JSON
// stays valid UTF-8.
TEST_F(BatchClientTest, OtherFormatsTakeAwkwardValues) {
  const std::string csv = "title,note\nSomething,\"tab\there\nand a newline\"\n";
  ProgramRun tsv = ask({"--format", "tsv", folder_.write("q.csv", csv)});
  ASSERT_EQ(tsv.exitStatus, 0) << tsv.err;
  std::vector<std::vector<std::string>> rows = tsvRows(tsv.out);
  ASSERT_EQ(rows.size(), 2u) << tsv.out;
  ASSERT_EQ(rows[1].size(), rows[0].size());
  EXPECT_EQ(rows[1][1], "tab here and a newline");
  EXPECT_EQ(rows[1][2], "101");

  ProgramRun json = ask(
      {"--format=jsonl", folder_.write("q.tsv", "title\tnote\nSomething\tbad \xc3\x28 byte\n")});
  ASSERT_EQ(json.exitStatus, 0) << json.err;
  nlohmann::json object = nlohmann::json::parse(json.out);
  EXPECT_EQ(object["note"], "bad \xEF\xBF\xBD( byte");
  EXPECT_EQ(object["status"], "error: column 2 (note) is not valid UTF-8");
}

// With --candidates the best candidate fills the track's columns and the whole list, as
// JSON, follows; a '|', which would end its item, goes as a space.
TEST_F(BatchClientTest, CandidatesListEachRowsBestTracks) {
  const std::string input =
      "title\tartist\n"
      "Come Together\tThe Beatles\n"
      "Xxxxx\tQqqqq\n"
      "Come|Together\tThe Beatles\n";
  ProgramRun run = ask({"--candidates", "3", folder_.write("q.tsv", input)});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::vector<std::string>> rows = tsvRows(run.out);
  ASSERT_EQ(rows.size(), 4u) << run.out;
  EXPECT_EQ(rows[0], std::vector<std::string>(
                         {"title", "artist", "match_track_id", "match_track", "match_artist_id",
                          "match_artist", "match_album_id", "match_album", "match_score",
                          "match_reasons", "match_ambiguous", "match_candidates", "status"}));
  for (const auto& row : rows) ASSERT_EQ(row.size(), rows[0].size()) << run.out;
  EXPECT_EQ(rows[1][2], "100");
  EXPECT_EQ(rows[1].back(), "confident");
  const nlohmann::json list = nlohmann::json::parse(rows[1][11]);
  ASSERT_TRUE(list.is_array());
  ASSERT_GE(list.size(), 1u);
  EXPECT_LE(list.size(), 3u);
  EXPECT_EQ(list[0]["track_id"], 100);
  EXPECT_EQ(nlohmann::json::parse(rows[1][8]), list[0]["score"]);
  EXPECT_EQ(rows[1][9], "");
  EXPECT_TRUE(rows[1][10] == "true" || rows[1][10] == "false") << rows[1][10];
  EXPECT_EQ(rows[2][2] + "|" + rows[2][11] + "|" + rows[2].back(), "|[]|none");
  EXPECT_EQ(rows[3][2] + " " + rows[3].back(), "100 confident");

  ProgramRun json = ask({"--candidates=2", "--format=jsonl", folder_.write("q.tsv", input)});
  ASSERT_EQ(json.exitStatus, 0) << json.err;
  const nlohmann::json first = nlohmann::json::parse(split(json.out, '\n')[0]);
  EXPECT_EQ(first["match_track_id"], 100);
  EXPECT_TRUE(first["match_ambiguous"].is_boolean());
  EXPECT_EQ(first["match_candidates"][0]["track"], "Come Together");
}

// With the fuzzy mode a doubted best candidate's reasons fill their column.
TEST(BatchFuzzyTest, CandidatesGiveTheBestOnesReasons) {
  ServerUnderTest server({"--fuzzy"});
  ASSERT_TRUE(server.ready()) << server.program().err();
  Folder folder;
  const std::string input =
      "title\tartist\n"
      "Come Together (Live)\tThe Beatles\n"
      "Come Together\tThe Beatles\n";
  ProgramRun run = runBatch({"--socket=" + server.socketPath(), "--candidates=1",
                             folder.write("q.tsv", input)},
                            "");
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::vector<std::string>> rows = tsvRows(run.out);
  ASSERT_EQ(rows.size(), 3u) << run.out;
  EXPECT_EQ(rows[1][2] + " " + rows[1][9] + " " + rows[1].back(),
            "100 version differs: live / none low")
      << run.out;
  EXPECT_EQ(rows[2][2] + " [" + rows[2][9] + "] " + rows[2].back(), "100 [] confident")
      << run.out;
}

struct CutCase {
  const char* what;
  std::string file;  // the input's name, which tells its format
  double share;      // of the whole output kept, before its last line is cut
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.file << " cut at " << c.share; }

class BatchResumeRunTest : public BatchClientTest, public testing::WithParamInterface<CutCase> {};

// A run broken off anywhere (the output cut at any byte) and resumed gives the output of a
// run that was never broken off, and sends only the rows that were missing.
TEST_P(BatchResumeRunTest, FinishesTheOutput) {
  const CutCase& c = GetParam();
  std::string input;
  for (int n = 0; n < 40; ++n) {
    const std::string title = n % 2 == 0 ? "Come Together" : "Something";
    input += c.file == "q.csv" ? title + ",\"row " + std::to_string(n) + "\nsecond line\"\n"
                               : title + "\trow " + std::to_string(n) + "\n";
  }
  input = (c.file == "q.csv" ? "title,note\n" : "title\tnote\n") + input;
  const std::string inputFile = folder_.write(c.file, input);
  const std::string whole = folder_.path("whole.out");
  ASSERT_EQ(ask({inputFile, "--output", whole}).exitStatus, 0);
  const std::string expected = fileText(whole);

  const std::string broken = folder_.write(
      "broken.out", expected.substr(0, static_cast<size_t>(expected.size() * c.share)));
  ProgramRun resumed = ask({"--resume", "--output=" + broken, inputFile});
  ASSERT_EQ(resumed.exitStatus, 0) << resumed.err;
  EXPECT_EQ(fileText(broken), expected);
  std::smatch sent, kept;
  ASSERT_TRUE(std::regex_search(resumed.err, sent, std::regex("ostrev-batch: ([0-9]+) rows? in")))
      << resumed.err;
  const int keptRows = std::regex_search(resumed.err, kept, std::regex("and ([0-9]+) rows? kept"))
                           ? std::stoi(kept[1])
                           : 0;
  EXPECT_EQ(std::stoi(sent[1]) + keptRows, 40) << resumed.err;
  // The rows are about equally long: nearly all those in the broken output were kept.
  EXPECT_GE(keptRows, static_cast<int>(40 * c.share) - 3) << resumed.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, BatchResumeRunTest,
    testing::Values(CutCase{"TsvEmpty", "q.tsv", 0}, CutCase{"TsvInTheHeader", "q.tsv", 0.01},
                    CutCase{"TsvHalfway", "q.tsv", 0.5}, CutCase{"TsvNearTheEnd", "q.tsv", 0.99},
                    CutCase{"TsvWhole", "q.tsv", 1}, CutCase{"CsvInTheHeader", "q.csv", 0.02},
                    CutCase{"CsvAThird", "q.csv", 0.33}, CutCase{"CsvHalfway", "q.csv", 0.5},
                    CutCase{"CsvWhole", "q.csv", 1}),
    NameByWhat());

TEST_F(BatchClientTest, ResumeRefusesAnotherFile) {
  const std::string input = folder_.write("q.tsv", "title\nSomething\n");
  const std::string other = folder_.write("other.tsv", "title\tnote\nx\ty\n");
  ProgramRun run = ask({input, "--output", other, "--resume"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_NE(run.err.find("does not hold the output of this batch: its header differs"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(fileText(other), "title\tnote\nx\ty\n");
}

// Against a real server with --http and a bearer token: every format's result over HTTP is
// the socket's, byte for byte; without the token every row is refused.
TEST(BatchHttpEndToEndTest, WritesWhatTheSocketGives) {
  Folder folder;
  const std::string token = folder.write("token", "batch-token\n");
  const int port = freeLoopbackPort();
  const std::vector<std::string> env = {"OSTREV_HTTP_TOKEN_FILE=" + token};
  ServerUnderTest server({"--http=" + std::to_string(port)}, env);
  ASSERT_TRUE(server.ready()) << server.program().err();
  const std::string url = "--url=http://127.0.0.1:" + std::to_string(port);
  const std::string input = "title\tartist\talbum\n"
                            "Come Together\tThe Beatles\tAbbey Road\n"
                            "J\xc3\xb3ga\tBj\xc3\xb6rk\t\n"
                            "Xxxxx\tQqqqq\tZzzzz\n"
                            "\xff\t\t\n";
  for (const char* format : {"tsv", "csv", "jsonl"}) {
    for (const char* candidates : {"", "--candidates=2"}) {
      SCOPED_TRACE(std::string(format) + " " + candidates);
      std::vector<std::string> args = {"--format", format, "-"};
      if (candidates[0] != '\0') args.insert(args.begin(), candidates);
      std::vector<std::string> overSocket = args, overHttp = args;
      overSocket.insert(overSocket.begin(), "--socket=" + server.socketPath());
      overHttp.insert(overHttp.begin(), url);
      overSocket.insert(overSocket.begin(), OSTREV_BATCH_PATH);
      overHttp.insert(overHttp.begin(), OSTREV_BATCH_PATH);
      ProgramRun bySocket = runProgram(overSocket, {}, input, kTimeoutSeconds);
      ProgramRun byHttp = runProgram(overHttp, env, input, kTimeoutSeconds);
      ASSERT_EQ(bySocket.exitStatus, 0) << bySocket.err;
      ASSERT_EQ(byHttp.exitStatus, 0) << byHttp.err;
      EXPECT_EQ(byHttp.out, bySocket.out);
    }
  }
  ProgramRun refused = runProgram({OSTREV_BATCH_PATH, url, "-"}, {}, input, kTimeoutSeconds);
  EXPECT_NE(refused.err.find("4 error"), std::string::npos) << refused.err;
  server.send({fixedRequest("shutdown")});
  server.program().wait();
}

// A server that answers one request and stops: every row after it is an error row, written
// after its tries, and the run still completes.
TEST(BatchServerGoneTest, RowsAfterTheServerStoppedAreErrors) {
  ServerUnderTest server({"--onerequest"});
  ASSERT_TRUE(server.ready()) << server.program().err();
  const std::string input =
      "title\tartist\nCome Together\tThe Beatles\nSomething\tThe Beatles\nJóga\tBjörk\n"
      "Xxxxx\tQqqqq\n";
  ProgramRun run = runBatch({"--socket", server.socketPath(), "--connections", "1", "-"}, input);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::vector<std::string>> rows = tsvRows(run.out);
  ASSERT_EQ(rows.size(), 5u) << run.out;
  EXPECT_EQ(rows[1][2], "100");
  EXPECT_EQ(rows[1].back(), "confident");
  for (size_t i = 2; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][2], "") << run.out;
    EXPECT_TRUE(std::regex_match(rows[i].back(), std::regex("error: cannot connect to [^\t]+: "
                                                            "[^\t]+")))
        << rows[i].back();
  }
  EXPECT_NE(run.err.find("1 confident, 0 low, 0 none, 3 error"), std::string::npos) << run.err;
  EXPECT_EQ(server.program().wait().exitStatus, 0);
}

// A server that is not there yet when the first row is sent, and starts while the row is
// tried again.
TEST(BatchServerGoneTest, RowWaitsForAServerThatComesUp) {
  Folder folder;
  const std::string socket = folder.path("late.sock");
  const std::string input = folder.write("q.tsv", "title\tartist\nCome Together\tThe Beatles\n");
  const std::string output = folder.path("out.tsv");
  BackgroundProgram batch({OSTREV_BATCH_PATH, "--socket", socket, "--output", output, input}, {});
  usleep(300 * 1000);  // past the first two tries
  BackgroundProgram server({serverProgram(), "--socket=" + socket, "--onerequest"}, {});
  ProgramRun run = batch.wait(kTimeoutSeconds);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::vector<std::vector<std::string>> rows = tsvRows(fileText(output));
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_EQ(rows[1][2], "100") << rows[1].back();
  EXPECT_EQ(server.wait(kTimeoutSeconds).exitStatus, 0) << server.err();
}

struct FailureCase {
  const char* what;
  std::vector<std::string> args;
  std::string input;
  int exitStatus;
  std::string err;  // a regular expression for the whole of standard error
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class BatchFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(BatchFailureTest, WritesNoRows) {
  const FailureCase& c = GetParam();
  std::vector<std::string> args = c.args;
  args.insert(args.begin(), "--socket=/nonexistent-ostrev-batch/socket");
  ProgramRun run = runBatch(args, c.input);
  EXPECT_EQ(run.exitStatus, c.exitStatus);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(std::regex_match(run.err, std::regex(c.err))) << run.err;
}

const std::string kUsage = "usage: ostrev-batch [^\n]+\n(?: [^\n]+\n)+";

INSTANTIATE_TEST_SUITE_P(
    Runs, BatchFailureTest,
    testing::Values(
        FailureCase{
            "UnknownOption", {"--fast"}, "", 2, "ostrev-batch: unknown option '--fast'\n" + kUsage},
        FailureCase{"BadConnections",
                    {"--connections=0"},
                    "",
                    2,
                    "ostrev-batch: --connections must be 1 to 64\n" + kUsage},
        FailureCase{"BadCandidates",
                    {"--candidates=51"},
                    "",
                    2,
                    "ostrev-batch: --candidates must be 1 to 50\n" + kUsage},
        FailureCase{"MissingInput",
                    {"/nonexistent-ostrev-batch.tsv"},
                    "",
                    1,
                    "ostrev-batch: cannot open '/nonexistent-ostrev-batch.tsv': [^\n]+\n"},
        FailureCase{"NoQueryColumn",
                    {"-"},
                    "name\tyear\n",
                    1,
                    "ostrev-batch: standard input: the header names none of the columns "
                    "artist, album, title, isrc, upc\n"},
        FailureCase{"ResultColumnInTheInput",
                    {"-"},
                    "title\tmatch_score\nx\t1\n",
                    1,
                    "ostrev-batch: the input's column match_score has the name of a result "
                    "column\n"},
        FailureCase{"UnwritableOutput",
                    {"--output", "/nonexistent-ostrev-batch/out.tsv", "-"},
                    "title\nx\n",
                    1,
                    "ostrev-batch: cannot create '/nonexistent-ostrev-batch/out.tsv': [^\n]+\n"}),
    NameByWhat());

TEST(BatchHelpTest, HelpGoesToStandardOutput) {
  ProgramRun run = runBatch({"--help"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out.rfind("usage: ostrev-batch", 0), 0u) << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
