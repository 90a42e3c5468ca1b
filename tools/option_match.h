// How the tools read an option with a value from their command line: "name=value" or
// "name value". A pure function of argv; any thread.
#ifndef OSTREV_TOOLS_OPTION_MATCH_H_
#define OSTREV_TOOLS_OPTION_MATCH_H_

#include <string>

enum class OptionMatch { kNo, kYes, kMissingValue };

// Whether argv[*i] is the option `name` with a value, given as "name=value" or as the next
// argument (then *i moves past it).
OptionMatch matchOption(int argc, const char* const argv[], int* i, const char* name,
                        std::string* value);

#endif  // OSTREV_TOOLS_OPTION_MATCH_H_
