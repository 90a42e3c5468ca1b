// What a title says besides the song: the version it names (remix and by whom, live,
// acoustic, ...) and the numbers it carries (part, volume, opus, year, Roman numerals).
// Two titles naming different versions or numbers are different recordings, whatever
// their likeness. Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_VERIFY_TITLEVERSION_H_
#define OSTREV_LIBMATCH_VERIFY_TITLEVERSION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "fuzzy/NameFolding.h"
#include "fuzzy/VersionWords.h"

struct TitleVersion {
  uint32_t kinds = 0;   // VersionKind bits
  std::string remixer;  // folded: who made the remix, when the title says
  // Numbers of the title outside neutral descriptors, ascending: "Part 4" gives 4,
  // "Vol. II" 2, "2001" 2001.
  std::vector<uint32_t> numbers;
  // Those of them written plainly: in digits alone, or Roman after a number word.
  std::vector<uint32_t> plainNumbers;
};

// What `title` names. Its version is read from the parts the fuzzy stage sets apart (in
// brackets, after " - "); its numbers from the whole title.
TitleVersion readTitleVersion(const std::string& title);
// The same of a title already taken apart by titleParts.
TitleVersion readTitleVersion(const NameParts& parts);

// The version kinds any words of `text` name, wherever they stand ("Live at the Ballroom"
// names live).
uint32_t versionKindsIn(const std::string& text);

// The kinds as text: "remix by x", "live", "live, acoustic", or "none".
std::string versionText(const TitleVersion& version);

// Whether the query's title is the track's cut short after a whole word ("Song (Blue" of
// "Song (Blue Remix)"), both folded by foldName: what it says of version and numbers then
// agrees with the track so far.
bool cutShortOf(const std::string& queryFolded, const std::string& trackFolded);

// Why two titles are not one recording, or "" when nothing says so: "version differs:
// remix / none", "number differs: 4 / 3", "number differs: 2 / none". Numbers count when
// the query's title has some: a query that drops them may still mean the track, one that
// names "Part 2" does not mean a track that names no part (plain numbers only there).
std::string titleDisagreement(const TitleVersion& query, const TitleVersion& track);

#endif  // OSTREV_LIBMATCH_VERIFY_TITLEVERSION_H_
