// How the fuzzy stage reads a name: folded for case, diacritics, compatibility forms and
// punctuation, and split into the parts that catalogues and users add or drop (a leading
// article, a featured credit, a version in brackets or after " - "). Pure functions; any
// thread.
#ifndef OSTREV_LIBMATCH_FUZZY_NAMEFOLDING_H_
#define OSTREV_LIBMATCH_FUZZY_NAMEFOLDING_H_

#include <string>
#include <vector>

// Lower-case words of letters and digits separated by single blanks: case folded,
// compatibility forms decomposed (ligatures, full-width letters), marks dropped, "&" read
// as "and", apostrophes and full stops removed inside words ("don't" is "dont", "R.E.M."
// is "rem"), anything else a word break. Invalid UTF-8 is repaired first.
std::string foldName(const std::string& text);
// The words of a folded name.
std::vector<std::string> foldedWords(const std::string& folded);

// A folded name taken apart. `core` is what a name is compared by; the other parts are
// folded too, empty when the name has none.
struct NameParts {
  std::string core;
  std::string article;   // "the", dropped from the front or from a trailing ", The"
  std::string featured;  // the credit after "feat." / "ft." / "featuring", word-bounded
  std::string version;   // bracketed parts and a versioning part after the last " - "
};

// An artist name: "The Beatles" and "Beatles, The" give core "beatles"; "Last, First"
// (two comma-separated parts of one word each side) gives "first last".
NameParts artistParts(const std::string& text);

// A title or album name: "Song (Live)", "Song [Remastered 2011]" and "Song - Live" give
// core "song" and version "live" or "remastered 2011" ("Prelude - Allegro", without a
// version word after the dash, stays whole); "Song (feat. X)" and "Song ft. X"
// give featured "x". A bracket that opens the name belongs to the core, and a name that
// would be nothing but its version keeps it as the core.
NameParts titleParts(const std::string& text);

#endif  // OSTREV_LIBMATCH_FUZZY_NAMEFOLDING_H_
