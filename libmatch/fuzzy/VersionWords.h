// The version words: every word and phrase by which a title names a version of its
// recording, folded, with the kind of recording it names (or none, for the neutral
// descriptors). The one table of them; the fuzzy stage's reading of names and the
// verification of answers both read it. Constants and pure functions; any thread.
#ifndef OSTREV_LIBMATCH_FUZZY_VERSIONWORDS_H_
#define OSTREV_LIBMATCH_FUZZY_VERSIONWORDS_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The kinds of recording a version can name; a set of them is a bit mask. Neutral
// descriptors (remaster, mono, album version) name none.
enum VersionKind : uint32_t {
  kRemix = 1u << 0,
  kLive = 1u << 1,
  kUnplugged = 1u << 2,
  kAcoustic = 1u << 3,
  kInstrumental = 1u << 4,
  kKaraoke = 1u << 5,
  kACappella = 1u << 6,
  kDemo = 1u << 7,
  kEdit = 1u << 8,
  kExtended = 1u << 9,
};

struct VersionPhrase {
  const char* phrase;  // folded, one or two words
  uint32_t kind;       // a VersionKind, 0 when neutral
};

// The longest phrase, in words.
constexpr size_t kLongestVersionPhrase = 2;

// The entry of `folded` (one word, or two joined by a blank); null when it is none.
const VersionPhrase* versionPhrase(const std::string& folded);
// The first entry that `near` says `folded` may be a misspelling of; null when none.
const VersionPhrase* versionPhraseNear(
    const std::string& folded, const std::function<bool(const std::string&, const char*)>& near);

#endif  // OSTREV_LIBMATCH_FUZZY_VERSIONWORDS_H_
