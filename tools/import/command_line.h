// Reads ostrev-import's arguments: which file to load into which database, how, or why
// nothing is to be loaded. A pure function of argv; any thread.
#ifndef OSTREV_TOOLS_IMPORT_COMMAND_LINE_H_
#define OSTREV_TOOLS_IMPORT_COMMAND_LINE_H_

#include <string>

#include "Defaults.h"

constexpr long kDefaultBatchTracks = 1000;
constexpr long kMaxBatchTracks = 100000;

struct ImportOptions {
  enum Action {
    kImport,
    kShowHelp,  // --help
    kRefuse,    // bad usage; `problem` says what is wrong
  };
  enum Mode {
    kIntoEmpty,  // the catalogue must have no tracks yet
    kAppend,
    kReplace,
  };

  Action action = kRefuse;
  std::string problem;
  std::string file;  // "-" is standard input
  std::string user = kDefaultDatabaseUser;
  std::string password = kDefaultDatabasePassword;
  std::string database = kDefaultDatabaseName;
  Mode mode = kIntoEmpty;
  long batchTracks = kDefaultBatchTracks;
  bool insertStatements = false;  // never LOAD DATA LOCAL INFILE
};

// Accepts the options both as "--name=value" and as "--name value", in any order around
// the one file argument.
ImportOptions parseImportOptions(int argc, const char* const argv[]);

// The --help text.
const char* importUsage();

#endif  // OSTREV_TOOLS_IMPORT_COMMAND_LINE_H_
