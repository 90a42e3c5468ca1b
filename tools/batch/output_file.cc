#include "tools/batch/output_file.h"

#include <errno.h>
#include <unistd.h>

#include <cstring>

bool OutputFile::failed(const char* what, std::string* problem) const {
  *problem = std::string("cannot ") + what + " " + name_ + ": " + strerror(errno);
  return false;
}

bool OutputFile::create(const std::string& path, std::string* problem) {
  name_ = "'" + path + "'";
  file_.reset(fopen(path.c_str(), "wbe"));
  return file_ != nullptr || failed("create", problem);
}

bool OutputFile::resume(const std::string& path, long long keepBytes, std::string* problem) {
  name_ = "'" + path + "'";
  file_.reset(fopen(path.c_str(), "abe"));
  if (file_ == nullptr) return failed("open", problem);
  return ftruncate(fileno(file_.get()), keepBytes) == 0 || failed("cut back", problem);
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
  return file == stdout || fclose(file) == 0 || failed("write to", problem);
}
