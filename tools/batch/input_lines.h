// InputLines: the numbered lines of a file or standard input, each at most a given length,
// a leading byte-order mark dropped, the next one open to a look. Owns the file (never
// standard input) and every call that reads it. One thread.
#ifndef OSTREV_TOOLS_BATCH_INPUT_LINES_H_
#define OSTREV_TOOLS_BATCH_INPUT_LINES_H_

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "tools/import/line_reader.h"

// The longest line of an input file, and the longest CSV record: what one row may take.
constexpr size_t kMaxInputLineBytes = 1 << 20;

class InputLines {
 public:
  enum OpenStatus { kOpened, kMissing, kFailed };
  using Status = LineReader::Status;

  explicit InputLines(size_t maxLineBytes) : maxLineBytes_(maxLineBytes) {}

  // Opens `path` ("-" is standard input); kMissing when no such file exists. `*problem`
  // says why it did not open.
  OpenStatus open(const std::string& path, std::string* problem);

  // Takes the next line, without its '\n' (a '\r' before it stays).
  Status next(std::string* line);

  // The line next() gives, read ahead; null when next() will not give a line.
  const std::string* peek();

  // The number of the line last taken, counting from 1.
  long long lineNumber() const { return taken_; }

  // The file's size in bytes, or -1 when it has none (a pipe).
  long long size() const { return size_; }

  // The share of the file read so far, 0 to 1; -1 when its size is unknown.
  double fractionRead() const;

  // "'PATH'" or "standard input", for messages.
  const std::string& name() const { return name_; }

  // What a row made of a line over the limit says.
  std::string tooLongProblem() const {
    return "line longer than " + std::to_string(maxLineBytes_) + " bytes";
  }

  // After kError: why reading failed.
  const std::string& problem() const { return problem_; }

 private:
  struct Closer {
    void operator()(FILE* file) const {
      if (file != stdin) fclose(file);
    }
  };
  struct Read {
    Status status;
    std::string line;
    long long number;
  };

  Read read();

  const size_t maxLineBytes_;
  std::unique_ptr<FILE, Closer> file_;
  std::optional<LineReader> reader_;
  std::optional<Read> ahead_;
  long long taken_ = 0;
  long long size_ = -1;
  std::string name_;
  std::string problem_;
};

#endif  // OSTREV_TOOLS_BATCH_INPUT_LINES_H_
