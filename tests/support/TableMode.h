// The statements that read either the joined catalogue tables or a triplets table, run in
// each of the three table modes. Sets the library's process-wide mode; tests of one
// program run one at a time, so nothing else sees it change.
#ifndef OSTREV_TESTS_SUPPORT_TABLEMODE_H_
#define OSTREV_TESTS_SUPPORT_TABLEMODE_H_

#include <string>

enum class TableMode { kJoined, kTriplets, kTripletsDisk };

// Switches the library to `mode`, swallowing the line it prints.
void useTableMode(TableMode mode);

std::string tableModeName(TableMode mode);

#endif  // OSTREV_TESTS_SUPPORT_TABLEMODE_H_
