#include "tools/import/derived_tables.h"

#include <sstream>

extern const char kDeriveSql[];

namespace {

// `statement` with `suffix` after each backquoted name, the file's table names.
std::string renamed(const std::string& statement, const std::string& suffix) {
  std::string out;
  bool inName = false;
  for (char c : statement) {
    if (c == '`' && inName) out += suffix;
    if (c == '`') inName = !inName;
    out += c;
  }
  return out;
}

// The table a statement writes: the first it names ("INSERT INTO `t`", "UPDATE `t`").
std::string writtenTable(const std::string& statement) {
  size_t open = statement.find('`');
  if (open == std::string::npos) return "";
  return statement.substr(open + 1, statement.find('`', open + 1) - open - 1);
}

}  // namespace

std::vector<DerivationStep> derivationSteps(const FirstIds& first, const std::string& tableSuffix) {
  std::vector<DerivationStep> steps;
  steps.push_back({"", "set @first_artist = " + std::to_string(first.artist) +
                           ", @first_album = " + std::to_string(first.album) +
                           ", @first_track = " + std::to_string(first.track)});
  // The file's statements end with ';' at the end of a line; its comments fill lines.
  std::istringstream file(kDeriveSql);
  std::string line;
  std::string statement;
  while (std::getline(file, line)) {
    if (line.compare(0, 2, "--") == 0) continue;
    statement += line + "\n";
    if (!line.empty() && line.back() == ';') {
      statement.erase(statement.size() - 2);
      steps.push_back({writtenTable(statement), renamed(statement, tableSuffix)});
      statement.clear();
    }
  }
  return steps;
}
