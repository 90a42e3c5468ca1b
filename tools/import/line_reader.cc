#include "tools/import/line_reader.h"

#include <cstring>

namespace {

constexpr size_t kBufferBytes = 1 << 16;

}  // namespace

LineReader::LineReader(FILE* file, size_t maxLineBytes)
    : file_(file), maxLineBytes_(maxLineBytes), buffer_(kBufferBytes) {}

bool LineReader::fill() {
  if (failed_) return false;
  begin_ = 0;
  end_ = fread(buffer_.data(), 1, buffer_.size(), file_);
  if (end_ == 0 && ferror(file_)) failed_ = true;
  return end_ > 0;
}

LineReader::Status LineReader::next(std::string* line) {
  line->clear();
  bool tooLong = false;
  bool any = false;  // whether the line has begun: a last line without '\n' counts
  while (true) {
    if (begin_ == end_ && !fill()) {
      if (failed_) return kError;
      if (!any) return kEnd;
      break;
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    size_t available = end_ - begin_;
    const void* newline = memchr(start, '\n', available);
    size_t take = newline ? static_cast<const char*>(newline) - start : available;
    // Past the limit the bytes are only skipped, never kept.
    if (!tooLong && line->size() + take <= maxLineBytes_) {
      line->append(start, take);
    } else if (!tooLong) {
      tooLong = true;
      line->clear();
    }
    begin_ += take;
    if (newline) {
      ++begin_;
      break;
    }
  }
  ++lineNumber_;
  return tooLong ? kTooLong : kLine;
}
