#include "tools/option_match.h"

#include <cstring>

OptionMatch matchOption(int argc, const char* const argv[], int* i, const char* name,
                        std::string* value) {
  const char* arg = argv[*i];
  size_t length = strlen(name);
  if (strncmp(arg, name, length) != 0) return OptionMatch::kNo;
  if (arg[length] == '=') {
    *value = arg + length + 1;
    return OptionMatch::kYes;
  }
  if (arg[length] != '\0') return OptionMatch::kNo;
  if (*i + 1 >= argc) return OptionMatch::kMissingValue;
  *value = argv[++*i];
  return OptionMatch::kYes;
}
