#include "tools/album/descriptor_file.h"

#include <errno.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Closes the descriptor file, but never standard input, which is not ours.
struct FileCloser {
  void operator()(FILE* file) const {
    if (file != stdin) fclose(file);
  }
};
using unique_file = std::unique_ptr<FILE, FileCloser>;

}  // namespace

bool readDescriptorFile(const std::string& path, size_t limit, std::string* text,
                        std::string* problem) {
  const bool standardInput = path == "-";
  const std::string name = standardInput ? "standard input" : "'" + path + "'";
  unique_file file(standardInput ? stdin : fopen(path.c_str(), "rb"));
  if (file == nullptr) {
    *problem = "cannot open " + name + ": " + strerror(errno);
    return false;
  }
  // Up to two bytes past the limit: the text and a newline, and one to tell a longer file.
  const size_t enough = limit + 2;
  text->clear();
  char buffer[65536];
  bool atEnd = false;
  while (!atEnd && text->size() < enough) {
    size_t want = std::min(sizeof(buffer), enough - text->size());
    size_t got = fread(buffer, 1, want, file.get());
    text->append(buffer, got);
    atEnd = got < want;
  }
  if (ferror(file.get())) {
    *problem = "cannot read " + name + ": " + strerror(errno);
    return false;
  }
  if (atEnd && !text->empty() && text->back() == '\n') text->pop_back();
  return true;
}
