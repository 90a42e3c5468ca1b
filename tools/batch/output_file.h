// OutputFile: where ostrev-batch writes its rows: standard output, a file made afresh, or
// a file cut back to what a resumed run keeps and written on from there. Owns the file
// (never standard output) and every call that writes it. One thread.
#ifndef OSTREV_TOOLS_BATCH_OUTPUT_FILE_H_
#define OSTREV_TOOLS_BATCH_OUTPUT_FILE_H_

#include <cstdio>
#include <memory>
#include <string>

class OutputFile {
 public:
  // Writes to standard output until create() or resume() says otherwise.
  OutputFile() : file_(stdout), name_("standard output") {}

  // Makes `path` empty, creating it if needed.
  bool create(const std::string& path, std::string* problem);

  // Opens `path` (created if needed) with its first `keepBytes` bytes kept and the rest
  // cut off, to write on after them.
  bool resume(const std::string& path, long long keepBytes, std::string* problem);

  bool write(const std::string& bytes, std::string* problem);
  bool flush(std::string* problem);

  // Flushes and closes; a file that cannot take the last bytes fails here.
  bool close(std::string* problem);

 private:
  struct Closer {
    void operator()(FILE* file) const {
      if (file != stdout) fclose(file);
    }
  };

  bool failed(const char* what, std::string* problem) const;

  std::unique_ptr<FILE, Closer> file_;
  std::string name_;
};

#endif  // OSTREV_TOOLS_BATCH_OUTPUT_FILE_H_
