// LineReader: the lines of a catalogue file, each at most a fixed number of bytes, so
// that no input can make the importer hold an arbitrarily long line. Borrows the FILE
// (the caller closes it); owns its buffer. One thread.
#ifndef OSTREV_TOOLS_IMPORT_LINE_READER_H_
#define OSTREV_TOOLS_IMPORT_LINE_READER_H_

#include <cstdio>
#include <string>
#include <vector>

class LineReader {
 public:
  enum Status {
    kLine,     // `line` holds the next line, without its '\n'
    kTooLong,  // the next line exceeded the limit; it has been skipped
    kEnd,      // no more lines
    kError,    // reading failed; errno tells why
  };

  LineReader(FILE* file, size_t maxLineBytes);

  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line. A last line without '\n' still counts as a line.
  Status next(std::string* line);

  // The number of the line last returned (or skipped), counting from 1.
  long long lineNumber() const { return lineNumber_; }

 private:
  bool fill();

  FILE* file_;
  size_t maxLineBytes_;
  std::vector<char> buffer_;
  size_t begin_ = 0;  // unread bytes are buffer_[begin_, end_)
  size_t end_ = 0;
  bool failed_ = false;
  long long lineNumber_ = 0;
};

#endif  // OSTREV_TOOLS_IMPORT_LINE_READER_H_
