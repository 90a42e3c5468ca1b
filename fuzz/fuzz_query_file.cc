// Fuzz target: the client's song description file reader, over the input as a file. Every
// text field must come out NUL-terminated within its width, and command_name untouched.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz_check.h"
#include "client/query_file.h"
#include "wire/wire_format.h"

namespace {

// Terminated within the field, and nothing but NULs after the terminator.
bool isPaddedText(const char* field, size_t width) {
  const char* nul = static_cast<const char*>(memchr(field, '\0', width));
  if (nul == nullptr) return false;
  for (const char* p = nul; p < field + width; ++p) {
    if (*p != '\0') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen wants a buffer
  FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
  check(file != nullptr, "fmemopen failed");

  // Stale bytes everywhere: the reader must empty the fields it owns.
  lookup_query query;
  memset(&query, 0xA5, sizeof(query));
  read_query_file(file, &query);
  fclose(file);

  for (size_t i = 0; i < sizeof(query.command_name); ++i) {
    check(static_cast<unsigned char>(query.command_name[i]) == 0xA5, "command_name changed");
  }
  const char* fields[] = {query.artist, query.album, query.track, query.isrc, query.upc};
  for (const char* field : fields) {
    check(isPaddedText(field, 200), "field not NUL-terminated and padded within 200 bytes");
    check(strchr(field, '\n') == nullptr, "field keeps a newline");
  }
  return 0;
}
