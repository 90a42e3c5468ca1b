// Fuzz target: ostrev-batch's input read in each format and written back in each, and the
// same bytes read as the server's two kinds of answer. Whatever the bytes, a TSV or JSON
// Lines row is one line, a TSV row has the header's columns, JSON Lines parses back, and
// an answer read without error fills every result column.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz_check.h"
#include "tools/batch/input_lines.h"
#include "tools/batch/request_kind.h"
#include "tools/batch/row_reader.h"
#include "tools/batch/row_writer.h"

namespace {

constexpr Format kFormats[] = {Format::kTsv, Format::kCsv, Format::kJsonLines};
// Small, so that lines over the limit are tried too.
constexpr size_t kLineLimit = 4096;
constexpr int kMostRows = 200;

const std::string& inputPath() {
  static const std::string path = [] {
    char name[] = "/tmp/fuzz_batch_input.XXXXXX";
    const int fd = mkstemp(name);
    check(fd >= 0, "no temporary file");
    close(fd);
    atexit([] { unlink(inputPath().c_str()); });
    return std::string(name);
  }();
  return path;
}

void writeInput(const uint8_t* data, size_t size) {
  FILE* file = fopen(inputPath().c_str(), "wb");
  check(file != nullptr, "the temporary file does not open");
  check(fwrite(data, 1, size, file) == size, "the temporary file is not written");
  fclose(file);
}

size_t countOf(const std::string& text, char c) {
  size_t count = 0;
  for (char byte : text) count += byte == c;
  return count;
}

void checkRow(Format format, const std::string& header, const std::string& row) {
  check(!row.empty() && row.back() == '\n', "a row not ended by its newline");
  if (format == Format::kCsv) return;  // a quoted value may hold newlines
  check(countOf(row, '\n') == 1, "a row of more than one line");
  if (format == Format::kTsv) {
    check(countOf(row, '\t') == countOf(header, '\t'), "a row without the header's columns");
  } else {
    check(nlohmann::json::parse(row, nullptr, false).is_object(), "a row that is not JSON");
  }
}

// Every row of the input read as `inputFormat`, answered with its own texts as names.
void readAndWrite(Format inputFormat, const RequestKind& kind) {
  InputLines lines(kLineLimit);
  std::string problem;
  check(lines.open(inputPath(), &problem) == InputLines::kOpened, "the input does not open");
  std::unique_ptr<RowReader> reader = openRowReader(inputFormat, lines, &problem);
  if (reader == nullptr) return;
  std::unique_ptr<RowWriter> writers[3];
  std::string headers[3];
  for (int f = 0; f < 3; ++f) {
    writers[f] = std::make_unique<RowWriter>(kFormats[f], reader->columns(), kind.columns());
    headers[f] = writers[f]->header();
  }
  Row row;
  for (int rows = 0; rows < kMostRows && reader->next(&row); ++rows) {
    Answer answer = errorAnswer(row.problem);
    if (row.problem.empty()) {
      answer.status = Answer::kLow;
      answer.values = {1, row.query.title, 2, row.query.artist, 3, row.query.album, 50, 0};
    }
    for (int f = 0; f < 3; ++f) checkRow(kFormats[f], headers[f], writers[f]->row(row, answer));
  }
}

void readAnswer(const RequestKind& kind, const std::string& bytes) {
  const Answer answer = kind.read(bytes);
  if (answer.status == Answer::kError) return;
  check(answer.values.size() == kind.columns().size(), "an answer without every column");
  Row row;
  const RowWriter tsv(Format::kTsv, {}, kind.columns());
  checkRow(Format::kTsv, tsv.header(), tsv.row(row, answer));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const RequestKind identify(0);
  const RequestKind candidates(5);
  writeInput(data, size);
  for (Format format : kFormats) readAndWrite(format, identify);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  readAnswer(identify, bytes);
  readAnswer(candidates, bytes);
  return 0;
}
