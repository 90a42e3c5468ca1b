// ostrev-batch's formats without a server: the rows the readers make of awkward input, the
// writers' output read back, and where a resumed run takes over an output file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/Subprocess.h"
#include "support/TestNames.h"
#include "tools/batch/command_line.h"
#include "tools/batch/formats.h"
#include "tools/batch/input_lines.h"
#include "tools/batch/resume.h"
#include "tools/batch/row_reader.h"
#include "tools/batch/row_writer.h"

namespace {

// Files written for one test, removed with their folder.
class Scratch {
 public:
  ~Scratch() {
    for (const std::string& path : written_) unlink(path.c_str());
    rmdir(folder_.c_str());
  }
  std::string write(const std::string& content) {
    std::string path = folder_ + "/f" + std::to_string(written_.size());
    std::ofstream(path, std::ios::binary) << content;
    written_.push_back(path);
    return path;
  }
  std::string missing() const { return folder_ + "/none"; }

 private:
  const std::string folder_ = makeTempFolder();
  std::vector<std::string> written_;
};

// The row's values of `columns`, as a table writes them.
std::vector<std::string> texts(const Row& row, const std::vector<std::string>& columns) {
  std::vector<std::string> values;
  for (size_t i = 0; i < columns.size(); ++i) values.push_back(inputText(row, i, columns[i]));
  return values;
}

std::string joined(const std::vector<std::string>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) text += (i > 0 ? "|" : "") + values[i];
  return text;
}

// What a reader makes of a file: its columns joined by '|', then a line per row, "L: a|b"
// for a row to send and "L! problem" for a bad one; "<refused: ...>" when it refuses the
// header.
struct ReadBack {
  std::string columns;
  std::vector<std::string> rows;
  std::vector<Row> raw;
  std::vector<std::vector<std::string>> fields;  // of each row
};

ReadBack readAll(Format format, const std::string& content) {
  Scratch scratch;
  InputLines lines(kMaxInputLineBytes);
  std::string problem;
  EXPECT_EQ(lines.open(scratch.write(content), &problem), InputLines::kOpened) << problem;
  ReadBack back;
  std::unique_ptr<RowReader> reader = openRowReader(format, lines, &problem);
  if (reader == nullptr) {
    // The file's name differs from run to run.
    size_t name = problem.find(lines.name());
    if (name != std::string::npos) problem.replace(name, lines.name().size(), "'?'");
    back.columns = "<refused: " + problem + ">";
    return back;
  }
  back.columns = joined(reader->columns());
  Row row;
  while (reader->next(&row)) {
    std::string line = std::to_string(row.line);
    back.fields.push_back(texts(row, reader->columns()));
    back.rows.push_back(row.problem.empty() ? line + ": " + joined(back.fields.back())
                                            : line + "! " + row.problem);
    back.raw.push_back(row);
  }
  return back;
}

// --- readers ---

struct ReaderCase {
  const char* what;
  Format format;
  std::string content;
  std::string columns;
  std::vector<std::string> rows;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << testing::PrintToString(c.content); }

class BatchReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(BatchReaderTest, MakesRows) {
  const ReaderCase& c = GetParam();
  ReadBack back = readAll(c.format, c.content);
  EXPECT_EQ(back.columns, c.columns);
  EXPECT_EQ(back.rows, c.rows);
}

const std::string kBadQuoting =
    "bad CSV quoting (a quote inside an unquoted value, or text after a closing quote)";
const std::string kLongest(kMaxQueryFieldBytes, 'x');

// An object of `keys` keys over two levels, then a newline.
std::string keyedObject(int keys) {
  std::string text = "{\"k\":{";
  for (int i = 1; i < keys; ++i) text += (i > 1 ? ",\"" : "\"") + std::to_string(i) + "\":0";
  return text + "}}\n";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BatchReaderTest,
    testing::Values(
        ReaderCase{"TsvTabsCarriageReturnsAndEmptyLines",
                   Format::kTsv,
                   "\xEF\xBB\xBFtitle\tnote\r\nA\tb c\r\n\n\t\n",
                   "title|note",
                   {"2: A|b c", "4: |"}},
        ReaderCase{"TsvFieldCounts",
                   Format::kTsv,
                   "title\tnote\nx\na\tb\tc\n",
                   "title|note",
                   {"2! 1 field, the header 2 fields", "3! 3 fields, the header 2 fields"}},
        ReaderCase{
            "TsvInvalidUtf8AnywhereInTheRow",
            Format::kTsv,
            "title\tnote\nok\t\xc3\x28\n\xed\xa0\x80\tx\n",
            "title|note",
            {"2! column 2 (note) is not valid UTF-8", "3! column 1 (title) is not valid UTF-8"}},
        ReaderCase{"QueryFieldOf199BytesFits200DoNot",
                   Format::kTsv,
                   "title\tartist\n" + kLongest + "\ta\nb\t" + kLongest + "y\n",
                   "title|artist",
                   {"2: " + kLongest + "|a", "3! artist is 200 bytes, at most 199"}},
        ReaderCase{"OtherColumnsHaveNoLengthLimit",
                   Format::kTsv,
                   "title\tnote\nt\t" + kLongest + kLongest + "\n",
                   "title|note",
                   {"2: t|" + kLongest + kLongest}},
        ReaderCase{"CsvQuotedNewlinesCommasAndQuotes",
                   Format::kCsv,
                   "title,note\n\"a\nb\",\"x \"\"y\"\", z\"\nd,e\n",
                   "title|note",
                   {"2: a\nb|x \"y\", z", "4: d|e"}},
        ReaderCase{"CsvKeepsSpacesAndEmptyValues",
                   Format::kCsv,
                   "title,note,n\n  a , b ,\n",
                   "title|note|n",
                   {"2:   a | b |"}},
        ReaderCase{"CsvCrLf",
                   Format::kCsv,
                   "title,note\r\na,b\r\n\"c\r\nd\",e\r\n",
                   "title|note",
                   {"2: a|b", "3: c\r\nd|e"}},
        // A stray quote spoils its own row only; the next ones read as usual.
        ReaderCase{"CsvStrayQuote",
                   Format::kCsv,
                   "title,n\na\"b,1\n\"a\"b,2\nc,3\n",
                   "title|n",
                   {"2! " + kBadQuoting, "3! " + kBadQuoting, "4: c|3"}},
        ReaderCase{"CsvQuoteLeftOpen",
                   Format::kCsv,
                   "title\nx\n\"abc\ndef\n",
                   "title",
                   {"2: x", "3! a quoted value is not closed at the end of the input"}},
        ReaderCase{"CsvFieldCount",
                   Format::kCsv,
                   "title,n\n\"a,b\"\n",
                   "title|n",
                   {"2! 1 field, the header 2 fields"}},
        ReaderCase{"JsonColumnsAreTheFirstObjectsKeys",
                   Format::kJsonLines,
                   "{\"title\":\"t\",\"n\":1}\n\n{\"n\":[1,{}],\"x\":2,\"title\":null}\n",
                   "title|n",
                   {"1: t|1", "3: |[1,{}]"}},
        ReaderCase{"JsonLinesThatAreNoRows",
                   Format::kJsonLines,
                   "[1]\n{\"title\"\n{\"title\":[\"x\"]}\n{\"title\":\"\xff\"}\n{} {}\n",
                   "",
                   {"1! not a JSON object",
                    "2! not JSON: parse error at column 9: syntax error while parsing object "
                    "separator - unexpected end of input; expected ':'",
                    "3! title is not a string", "4! not valid UTF-8",
                    "5! not JSON: parse error at column 4: syntax error while parsing value - "
                    "unexpected '{'; expected end of input"}},
        ReaderCase{"JsonNulInAQueryValue",
                   Format::kJsonLines,
                   "{\"album\":\"a\\u0000b\"}\n",
                   "album",
                   {"1! album holds a NUL character"}},
        ReaderCase{"JsonNestedTooDeep",
                   Format::kJsonLines,
                   "{\"title\":\"t\",\"x\":" + std::string(70, '[') + std::string(70, ']') + "}\n",
                   "",
                   {"1! nested deeper than 64 levels"}},
        ReaderCase{"JsonTooManyKeys",
                   Format::kJsonLines,
                   keyedObject(1001) + keyedObject(1000),
                   "",
                   {"1! more than 1000 keys", "2: "}},
        ReaderCase{"TooManyColumns",
                   Format::kTsv,
                   "title" + std::string(1000, '\t') + "\n",
                   "<refused: '?': the header has more than 1000 columns>",
                   {}},
        ReaderCase{"NoQueryColumn",
                   Format::kTsv,
                   "note\tx\n",
                   "<refused: '?': the header names none of the columns artist, album, title, "
                   "isrc, upc>",
                   {}},
        ReaderCase{"QueryColumnTwice",
                   Format::kCsv,
                   "title,title\n",
                   "<refused: '?': the header names title twice>",
                   {}},
        ReaderCase{"NoHeader", Format::kTsv, "\n\n", "<refused: '?' has no header line>", {}}),
    NameByWhat());

TEST(BatchQueryTest, ReadsTheQueryFromItsColumnsOrKeys) {
  ReadBack table = readAll(Format::kTsv, "upc\tx\ttitle\tartist\n1\t2\tT\tA\n");
  ReadBack json = readAll(Format::kJsonLines,
                          "{\"title\":\"T\",\"upc\":602547,\"artist\":null,\"isrc\":\"I\"}\n");
  ASSERT_EQ(table.raw.size(), 1u);
  ASSERT_EQ(json.raw.size(), 1u);
  const RowQuery& fromTable = table.raw[0].query;
  EXPECT_EQ(fromTable.artist + "|" + fromTable.album + "|" + fromTable.title + "|" +
                fromTable.isrc + "|" + fromTable.upc,
            "A||T||1");
  const RowQuery& fromJson = json.raw[0].query;
  EXPECT_EQ(fromJson.artist + "|" + fromJson.album + "|" + fromJson.title + "|" + fromJson.isrc +
                "|" + fromJson.upc,
            "||T|I|602547");
}

// --- writers ---

struct ValueCase {
  const char* what;
  std::string value;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << testing::PrintToString(c.value); }

class BatchCsvRoundTripTest : public testing::TestWithParam<ValueCase> {};

// Written between two other values and read back, a value is the same bytes.
TEST_P(BatchCsvRoundTripTest, ReadsBackWhatWasWritten) {
  const std::string value = GetParam().value;
  std::string content = "title,v,n\n" + csvField("a") + "," + csvField(value) + "," +
                        csvField("z") + "\n" + "after,x,y\n";
  ReadBack back = readAll(Format::kCsv, content);
  ASSERT_EQ(back.raw.size(), 2u) << content;
  EXPECT_EQ(back.fields[0], (std::vector<std::string>{"a", value, "z"})) << content;
  EXPECT_EQ(back.fields[1], (std::vector<std::string>{"after", "x", "y"})) << content;
}

INSTANTIATE_TEST_SUITE_P(
    Values, BatchCsvRoundTripTest,
    testing::Values(ValueCase{"Plain", "Come Together"}, ValueCase{"Empty", ""},
                    ValueCase{"Comma", "Crosby, Stills & Nash"},
                    ValueCase{"Quotes", "Sweet Child O' \"Mine\""}, ValueCase{"OnlyQuotes", "\"\""},
                    ValueCase{"Newline", "two\nlines"}, ValueCase{"CrLf", "two\r\nlines"},
                    ValueCase{"LoneCarriageReturn", "a\rb"}, ValueCase{"EndsInNewline", "a\n"},
                    ValueCase{"Spaces", "  padded "}, ValueCase{"Tab", "a\tb"},
                    ValueCase{"QuoteThenNewline", "\"\n\""}, ValueCase{"Accents", "Björk 🎸"}),
    NameByWhat());

Row tableRow(const std::vector<std::string>& fields) {
  Row row;
  row.input = fields;
  return row;
}

Answer found() {
  Answer answer;
  answer.status = Answer::kLow;
  answer.values = {7LL, std::string("Tr\tack\n"), std::string("\xff name")};
  return answer;
}

const std::vector<std::string> kResultColumns = {"track_id", "track", "artist"};

TEST(BatchWriterTest, TsvKeepsOneLineAndItsColumnsWhateverTheValues) {
  const RowWriter writer(Format::kTsv, {"a", "b"}, kResultColumns);
  EXPECT_EQ(writer.header(), "a\tb\ttrack_id\ttrack\tartist\tstatus\n");
  EXPECT_EQ(writer.row(tableRow({"x\ty", "1\r\n2"}), found()),
            "x y\t1  2\t7\tTr ack \t\xff name\tlow\n");
  EXPECT_EQ(writer.row(tableRow({"", ""}), errorAnswer("line\nbreak")),
            "\t\t\t\t\terror: line break\n");
}

TEST(BatchWriterTest, JsonEscapesAndReplacesWhatIsNotUtf8) {
  const RowWriter writer(Format::kJsonLines, {"track", "note"}, kResultColumns);
  EXPECT_EQ(writer.header(), "");
  // From a table: the input's values as strings; a result key replaces an input one.
  std::string line = writer.row(tableRow({"asked", "q\"\x01\xc3"}), found());
  ASSERT_EQ(line.back(), '\n');
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  nlohmann::json object = nlohmann::json::parse(line);
  EXPECT_EQ(object.dump(),
            "{\"artist\":\"\xEF\xBF\xBD name\",\"note\":\"q\\\"\\u0001\xEF\xBF\xBD\","
            "\"status\":\"low\",\"track\":\"Tr\\tack\\n\",\"track_id\":7}");
  // An error has no results.
  EXPECT_EQ(writer.row(tableRow({"t", "n"}), errorAnswer("gone")),
            "{\"track\":null,\"note\":\"n\",\"track_id\":null,\"artist\":null,"
            "\"status\":\"error: gone\"}\n");
}

// --- resuming ---

struct ResumeCase {
  const char* what;
  Format format;
  std::string header;
  std::string content;
  bool kept;  // false: refused
  long long rows;
  long long bytes;
};

void PrintTo(const ResumeCase& c, std::ostream* os) { *os << testing::PrintToString(c.content); }

class BatchResumeTest : public testing::TestWithParam<ResumeCase> {};

const std::vector<std::string> kResultKeys = {"track_id", "status"};

TEST_P(BatchResumeTest, KeepsTheWholeRows) {
  const ResumeCase& c = GetParam();
  Scratch scratch;
  ResumePoint point;
  std::string problem;
  bool kept =
      findResumePoint(scratch.write(c.content), c.format, c.header, kResultKeys, &point, &problem);
  ASSERT_EQ(kept, c.kept) << problem;
  if (!kept) {
    EXPECT_NE(problem.find("does not hold the output of this batch"), std::string::npos) << problem;
    return;
  }
  EXPECT_EQ(point.rows, c.rows);
  EXPECT_EQ(point.bytes, c.bytes);
}

const std::string kTsvHeader = "title\tstatus\n";
const std::string kCsvHeader = "title,\"a,b\"\n";
const std::string kJsonRow = "{\"title\":\"x\",\"track_id\":1,\"status\":\"none\"}\n";

INSTANTIATE_TEST_SUITE_P(
    Outputs, BatchResumeTest,
    testing::Values(
        ResumeCase{"Empty", Format::kTsv, kTsvHeader, "", true, 0, 0},
        ResumeCase{"HeaderCutShort", Format::kTsv, kTsvHeader, "title\tst", true, 0, 0},
        ResumeCase{"HeaderWithoutItsNewline", Format::kTsv, kTsvHeader, "title\tstatus", true, 0,
                   0},
        ResumeCase{"HeaderOnly", Format::kTsv, kTsvHeader, kTsvHeader, true, 0, 13},
        ResumeCase{"RowsThenOneCutShort", Format::kTsv, kTsvHeader,
                   kTsvHeader + "a\tnone\nb\tlow\nc\tconf", true, 2, 13 + 7 + 6},
        ResumeCase{"AnotherHeader", Format::kTsv, kTsvHeader, "title\tnote\nx\ty\n", false, 0, 0},
        ResumeCase{"AnotherFile", Format::kTsv, kTsvHeader, "hello", false, 0, 0},
        ResumeCase{"CsvRowCutInsideAQuotedNewline", Format::kCsv, kCsvHeader,
                   kCsvHeader + "\"x\ny\",1\n\"z\nw", true, 1, 12 + 8},
        ResumeCase{"CsvRowWithoutItsNewline", Format::kCsv, kCsvHeader, kCsvHeader + "a,1", true, 0,
                   12},
        ResumeCase{"CsvHeaderUnquoted", Format::kCsv, kCsvHeader, "title,a,b\n", false, 0, 0},
        ResumeCase{"JsonRowsThenOneCutShort", Format::kJsonLines, "",
                   kJsonRow + kJsonRow + "{\"title\":", true, 2,
                   2 * static_cast<long long>(kJsonRow.size())},
        ResumeCase{"JsonOtherObjects", Format::kJsonLines, "", "{\"title\":\"x\"}\n", false, 0, 0}),
    NameByWhat());

TEST(BatchResumeFileTest, MissingFileStartsAfresh) {
  Scratch scratch;
  ResumePoint point;
  point.rows = point.bytes = 9;
  std::string problem;
  EXPECT_TRUE(
      findResumePoint(scratch.missing(), Format::kTsv, kTsvHeader, kResultKeys, &point, &problem));
  EXPECT_EQ(point.rows, 0);
  EXPECT_EQ(point.bytes, 0);
}

// --- formats and arguments ---

TEST(BatchFormatTest, ToldByExtensionOrFirstLine) {
  const std::vector<std::pair<std::string, const char*>> paths = {{"a.tsv", "tsv"},
                                                                  {"b.CSV", "csv"},
                                                                  {"c.jsonl", "jsonl"},
                                                                  {"d.ndjson", "jsonl"},
                                                                  {"e.txt", "-"},
                                                                  {"dir.csv/f", "-"},
                                                                  {"-", "-"}};
  for (const auto& path : paths) {
    Format format;
    EXPECT_EQ(formatOfPath(path.first, &format) ? formatName(format) : "-",
              std::string(path.second))
        << path.first;
  }
  const std::vector<std::pair<std::string, const char*>> lines = {{" {\"title\":\"a\"}", "jsonl"},
                                                                  {"title\tnote,x", "tsv"},
                                                                  {"title,note", "csv"},
                                                                  {"title", "tsv"},
                                                                  {"", "tsv"}};
  for (const auto& line : lines) {
    EXPECT_STREQ(formatName(sniffFormat(line.first)), line.second) << line.first;
  }
}

struct ArgumentsCase {
  const char* what;
  std::vector<std::string> args;
  std::string expected;  // "connections input format>output output resume", or "refused"
};

void PrintTo(const ArgumentsCase& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class BatchCommandLineTest : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(BatchCommandLineTest, ReadsTheOptions) {
  std::vector<const char*> argv = {"ostrev-batch"};
  for (const std::string& arg : GetParam().args) argv.push_back(arg.c_str());
  BatchCommandLine line = parseBatchCommandLine(static_cast<int>(argv.size()), argv.data());
  std::string got = "refused";
  if (line.action == BatchCommandLine::kRun) {
    got = std::to_string(line.connections) + " " + line.inputPath + " " +
          (line.inputFormat ? formatName(*line.inputFormat) : "?") + ">" +
          (line.outputFormat ? formatName(*line.outputFormat) : "?") + " " +
          (line.outputPath.empty() ? "stdout" : line.outputPath) + (line.resume ? " resume" : "") +
          (line.http ? " " + line.http->text() : "");
  }
  EXPECT_EQ(got, GetParam().expected) << line.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BatchCommandLineTest,
    testing::Values(
        ArgumentsCase{"Defaults", {}, "4 - ?>? stdout"},
        ArgumentsCase{"Everything",
                      {"--connections=64", "--input-format", "csv", "--format=jsonl", "--output",
                       "o", "--resume", "-"},
                      "64 - csv>jsonl o resume"},
        ArgumentsCase{
            "ExtensionTellsTheFormat", {"q.TSV", "--socket", "/s"}, "4 q.TSV tsv>? stdout"},
        ArgumentsCase{
            "OptionAgreeingWithExtension", {"--input-format=csv", "q.csv"}, "4 q.csv csv>? stdout"},
        ArgumentsCase{"OptionContradictingExtension", {"--input-format=csv", "q.tsv"}, "refused"},
        ArgumentsCase{"NoConnections", {"--connections", "0"}, "refused"},
        ArgumentsCase{"TooManyConnections", {"--connections", "65"}, "refused"},
        ArgumentsCase{"ConnectionsNotANumber", {"--connections", "4x"}, "refused"},
        ArgumentsCase{"UnknownFormat", {"--format", "xml"}, "refused"},
        ArgumentsCase{"ResumeWithoutOutput", {"--resume", "q.tsv"}, "refused"},
        ArgumentsCase{"OutputIsTheInput", {"q.tsv", "--output=q.tsv"}, "refused"},
        ArgumentsCase{"TwoInputs", {"a.tsv", "b.tsv"}, "refused"},
        ArgumentsCase{"MissingValue", {"a.tsv", "--output"}, "refused"},
        ArgumentsCase{"UnknownOption", {"--fast"}, "refused"},
        ArgumentsCase{"SocketPathTooLong", {"--socket=/" + std::string(99, 's')}, "refused"},
        ArgumentsCase{"Url", {"--url", "http://h:8080", "q.tsv"}, "4 q.tsv tsv>? stdout h:8080"},
        ArgumentsCase{"BadUrl", {"--url=h:8080"}, "refused"},
        ArgumentsCase{"UrlAndSocket", {"--url=http://h", "--socket=/s"}, "refused"}),
    NameByWhat());

}  // namespace
