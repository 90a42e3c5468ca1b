// Where a resumed run takes over an earlier run's output file: the whole rows after the
// header this run would write, and the bytes they end at; a row cut short by the
// interruption is not kept. Reads the file and changes nothing. One thread.
#ifndef OSTREV_TOOLS_BATCH_RESUME_H_
#define OSTREV_TOOLS_BATCH_RESUME_H_

#include <string>
#include <vector>

#include "tools/batch/formats.h"

struct ResumePoint {
  long long rows = 0;   // whole rows kept, the header not counted
  long long bytes = 0;  // where they end; 0 when the header is to be written again
};

// For an output of `format` starting with `header` (JSON Lines: none, and every row
// holding the `resultKeys`). A missing file gives the start. False, with `*problem`, when
// the file cannot be read or holds another header or other rows.
bool findResumePoint(const std::string& path, Format format, const std::string& header,
                     const std::vector<std::string>& resultKeys, ResumePoint* point,
                     std::string* problem);

#endif  // OSTREV_TOOLS_BATCH_RESUME_H_
