#include "tools/import/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Whether argv[*index] is the option `name`; then its value is taken from "=value" or
// from the next argument, advancing *index. A missing value is a problem.
bool valueOption(const char* name, int argc, const char* const argv[], int* index,
                 std::string* value, std::string* problem) {
  const char* arg = argv[*index];
  size_t length = strlen(name);
  if (strncmp(arg, name, length) != 0) return false;
  if (arg[length] == '=') {
    *value = arg + length + 1;
  } else if (arg[length] != '\0') {
    return false;
  } else if (*index + 1 < argc) {
    *value = argv[++*index];
  } else {
    *problem = std::string("option ") + name + " needs a value";
  }
  return true;
}

bool parseBatch(const std::string& text, long* tracks) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  long value = strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || value < 1 || value > kMaxBatchTracks) return false;
  *tracks = value;
  return true;
}

}  // namespace

ImportOptions parseImportOptions(int argc, const char* const argv[]) {
  ImportOptions options;
  bool haveFile = false;
  bool append = false;
  bool replace = false;
  std::string problem;
  for (int i = 1; i < argc && problem.empty(); ++i) {
    const char* arg = argv[i];
    std::string batch;
    if (strcmp(arg, "--help") == 0) {
      options.action = ImportOptions::kShowHelp;
      return options;
    }
    if (strcmp(arg, "--append") == 0) {
      append = true;
    } else if (strcmp(arg, "--replace") == 0) {
      replace = true;
    } else if (strcmp(arg, "--insert-statements") == 0) {
      options.insertStatements = true;
    } else if (valueOption("--batch", argc, argv, &i, &batch, &problem)) {
      if (problem.empty() && !parseBatch(batch, &options.batchTracks)) {
        problem = "--batch needs a whole number from 1 to " + std::to_string(kMaxBatchTracks);
      }
    } else if (!valueOption("--user", argc, argv, &i, &options.user, &problem) &&
               !valueOption("--password", argc, argv, &i, &options.password, &problem) &&
               !valueOption("--database", argc, argv, &i, &options.database, &problem)) {
      if (arg[0] == '-' && arg[1] != '\0') {
        problem = std::string("unknown option ") + arg;
      } else if (haveFile) {
        problem = "only one file can be imported at a time";
      } else {
        options.file = arg;
        haveFile = true;
      }
    }
  }
  if (problem.empty() && append && replace) problem = "--append and --replace exclude each other";
  if (problem.empty() && !haveFile) problem = "no file given";
  if (problem.empty() && options.database.empty()) problem = "the database name is empty";
  if (!problem.empty()) {
    options.problem = problem;
    return options;
  }
  options.mode = append    ? ImportOptions::kAppend
                 : replace ? ImportOptions::kReplace
                           : ImportOptions::kIntoEmpty;
  options.action = ImportOptions::kImport;
  return options;
}

const char* importUsage() {
  static const std::string usage = std::string() +
         "Usage: ostrev-import [OPTION]... FILE\n"
         "Loads the tracks listed in FILE (- for standard input) into a catalogue database.\n"
         "\n"
         "FILE is UTF-8 text with tab-separated columns and the header line\n"
         "  album_key album_title album_artist upc disc_track_no track_title track_artist isrc\n"
         "then one line per track. Lines sharing an album_key are the tracks of one album;\n"
         "its first line gives the album's title, artist and UPC. An empty track_artist\n"
         "means the album artist. A UPC of 1 to 20 digits is stored, any other is left out.\n"
         "A carriage return at the end of a line is dropped and empty lines are ignored.\n"
         "Lines with other than 8 columns, invalid UTF-8, an empty album_key or\n"
         "track_title, a name over 512 characters or an ISRC over 15 are reported on\n"
         "standard error with their line number and skipped.\n"
         "\n"
         "Options:\n"
         "  --user NAME       database user (default " + kDefaultDatabaseUser + ")\n"
         "  --password WORD   database password (default " + kDefaultDatabasePassword + ")\n"
         "  --database NAME   database name (default " + kDefaultDatabaseName + ")\n"
         "  --append          add to a catalogue that already has tracks; an artist whose\n"
         "                    name is already there keeps its id\n"
         "  --replace         replace every catalogue table's rows with the file's\n"
         "  --batch N         tracks per transaction with --append (default 1000, at\n"
         "                    most 100000)\n"
         "  --insert-statements  send the rows as INSERT statements, not as LOAD DATA\n"
         "                    LOCAL INFILE (done anyway when the server refuses that)\n"
         "  --help            show this text\n"
         "Options also take the form --name=value. Without --append or --replace the\n"
         "catalogue must have no tracks yet.\n"
         "\n"
         "The database host is localhost unless OSTREV_DB_HOST names another;\n"
         "MYSQL_UNIX_PORT chooses the socket. Into an empty catalogue and with --replace,\n"
         "the tables are built as copies, indexed at the end and swapped in at once: after\n"
         "a failure the catalogue is as it was. This needs the CREATE, ALTER and DROP\n"
         "privileges. Otherwise every batch is committed on its own: after a failure the\n"
         "batches before it stay, and running again with --replace starts over.\n"
         "\n"
         "Exit status: 0 when the file was imported (skipped lines included), 1 when the\n"
         "file, its header or the database failed, 2 for bad usage.\n";
  return usage.c_str();
}
