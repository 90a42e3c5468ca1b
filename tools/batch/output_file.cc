#include "tools/batch/output_file.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

void OutputFile::Closer::operator()(FILE* file) const {
  if (file != stdout) fclose(file);
}

OutputFile::OutputFile() : file_(stdout), name_("standard output") {}

bool OutputFile::failed(const char* what, std::string* problem) const {
  *problem = std::string("cannot ") + what + " " + name_ + ": " + strerror(errno);
  return false;
}

bool OutputFile::create(const std::string& path, std::string* problem) {
  name_ = "'" + path + "'";
  file_.reset(fopen(path.c_str(), "wb"));
  return file_ != nullptr || failed("create", problem);
}

bool OutputFile::resume(const std::string& path, long long keepBytes, std::string* problem) {
  name_ = "'" + path + "'";
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return failed("open", problem);
  if (ftruncate(fd, keepBytes) != 0) {
    failed("cut back", problem);
    ::close(fd);
    return false;
  }
  file_.reset(fdopen(fd, "ab"));
  if (file_ == nullptr) {
    failed("open", problem);
    ::close(fd);
    return false;
  }
  return true;
}

bool OutputFile::write(const std::string& bytes, std::string* problem) {
  return fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size() ||
         failed("write to", problem);
}

bool OutputFile::flush(std::string* problem) {
  return fflush(file_.get()) == 0 || failed("write to", problem);
}

bool OutputFile::close(std::string* problem) {
  if (!flush(problem)) return false;
  FILE* file = file_.release();
  if (file == stdout) return true;
  return fclose(file) == 0 || failed("write to", problem);
}
