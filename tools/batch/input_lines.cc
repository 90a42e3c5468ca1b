#include "tools/batch/input_lines.h"

#include <errno.h>
#include <sys/stat.h>

#include <cstring>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

InputLines::OpenStatus InputLines::open(const std::string& path, std::string* problem) {
  const bool standardInput = path == "-";
  name_ = standardInput ? "standard input" : "'" + path + "'";
  file_.reset(standardInput ? stdin : fopen(path.c_str(), "rb"));
  if (file_ == nullptr) {
    const bool missing = errno == ENOENT;
    *problem = "cannot open " + name_ + ": " + strerror(errno);
    return missing ? kMissing : kFailed;
  }
  struct stat status;
  if (fstat(fileno(file_.get()), &status) == 0 && S_ISREG(status.st_mode)) {
    size_ = static_cast<long long>(status.st_size);
  }
  reader_.emplace(file_.get(), maxLineBytes_);
  return kOpened;
}

InputLines::Read InputLines::read() {
  Read read{LineReader::kEnd, std::string(), 0};
  read.status = reader_->next(&read.line);
  read.number = reader_->lineNumber();
  if (read.status == LineReader::kError) {
    problem_ = "cannot read " + name_ + ": " + strerror(errno);
  }
  if (read.number == 1 && read.line.compare(0, strlen(kByteOrderMark), kByteOrderMark) == 0) {
    read.line.erase(0, strlen(kByteOrderMark));
  }
  return read;
}

InputLines::Status InputLines::next(std::string* line) {
  Read taken = ahead_ ? std::move(*ahead_) : read();
  ahead_.reset();
  if (taken.status == LineReader::kLine || taken.status == LineReader::kTooLong) {
    taken_ = taken.number;
  }
  *line = std::move(taken.line);
  return taken.status;
}

const std::string* InputLines::peek() {
  if (!ahead_) ahead_ = read();
  return ahead_->status == LineReader::kLine ? &ahead_->line : nullptr;
}

double InputLines::fractionRead() const {
  if (size_ <= 0 || file_ == nullptr) return -1;
  long position = ftell(file_.get());
  if (position < 0) return -1;
  double fraction = static_cast<double>(position) / static_cast<double>(size_);
  return fraction < 1 ? fraction : 1;
}
