// AnswerCheck: the verification every answer of the fuzzy mode goes through, whatever
// stage found it. An answer is confident only when nothing says the catalogue track is
// another recording than the query's (another version, other numbers) and the query says
// enough to tell (more than a title, unless the title is the catalogue's one recording of
// that name). The rules and the ceiling live here. Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_VERIFY_ANSWERCHECK_H_
#define OSTREV_LIBMATCH_VERIFY_ANSWERCHECK_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The texts of a query, or the names of a catalogue track.
struct AnswerTexts {
  std::string title;
  std::string artist;
  std::string album;
};

// How many catalogue tracks carry a title, and how many artists they have between them.
struct TitleCount {
  size_t tracks = 0;
  size_t artists = 0;
};

// What the verification asks of the catalogue.
struct CatalogueFacts {
  // How many tracks carry a catalogue title, and of how many artists.
  std::function<TitleCount(const std::string& title)> titleCount;
  // The titles of the tracks of `track`'s album by its artist, its own among them.
  std::function<std::vector<std::string>(const AnswerTexts& track)> albumTitles;
  // Only whether there is a doubt is wanted: the catalogue is not asked once there is one.
  bool firstDoubtOnly = false;
};

// Why `track` is not a confident answer to `query`: "version differs: remix / none",
// "number differs: 4 / 3", "title only", "artist matches nothing", "cut short: fits
// several tracks"; empty when nothing says so. The query may have its artist and title
// the other way round. An `identified` answer (by an identifier the texts do not
// contradict) needs no more than its title to be told.
std::vector<std::string> answerDoubts(const AnswerTexts& query, const AnswerTexts& track,
                                      const CatalogueFacts& catalogue, bool identified = false);

// What an identifier (an ISRC) says, given the tracks that carry it.
struct IdentifierVerdict {
  bool decides = false;    // the tracks are one recording: the identifier names it
  size_t best = 0;         // of the tracks, the one the texts fit best
  float score = 0;         // 90 on the identifier alone, up to 100 as the texts agree
  bool disagrees = false;  // the texts name another recording: another title and artist
};
IdentifierVerdict identifierVerdict(const AnswerTexts& query,
                                    const std::vector<AnswerTexts>& tracks);
// What a UPC and a title say, given the tracks of the albums with that UPC: the tracks
// whose titles the query's is like are taken as one identifier's tracks, as above, so a
// title that fits several recordings of the album decides nothing.
IdentifierVerdict titledTrackVerdict(const AnswerTexts& query,
                                     const std::vector<AnswerTexts>& albumTracks);
// The reason given when the texts name another recording than the identifier.
constexpr const char kIdentifierDisagrees[] = "identifier and text disagree";

// `score`, held below the confident score when there are doubts.
float doubtedScore(float score, const std::vector<std::string>& doubts);

#endif  // OSTREV_LIBMATCH_VERIFY_ANSWERCHECK_H_
