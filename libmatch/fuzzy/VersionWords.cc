#include "fuzzy/VersionWords.h"

namespace {

// Every version word and phrase, folded, with the kind it names (0 for a neutral one):
// English and the forms frequent in other languages' catalogues.
constexpr VersionPhrase kVersionPhrases[] = {
    {"remix", kRemix}, {"rmx", kRemix}, {"remixed", kRemix}, {"rework", kRemix},
    {"reworked", kRemix}, {"dub", kRemix}, {"redub", kRemix}, {"vip", kRemix},
    {"bootleg", kRemix}, {"mashup", kRemix},
    {"live", kLive}, {"en vivo", kLive}, {"ao vivo", kLive}, {"en directo", kLive},
    {"en concierto", kLive}, {"dal vivo", kLive}, {"en public", kLive}, {"in concert", kLive},
    {"unplugged", kUnplugged}, {"desenchufado", kUnplugged},
    {"acoustic", kAcoustic}, {"acustico", kAcoustic}, {"acustica", kAcoustic},
    {"acoustique", kAcoustic}, {"akustik", kAcoustic}, {"akustisch", kAcoustic},
    {"instrumental", kInstrumental}, {"instrumentale", kInstrumental},
    {"karaoke", kKaraoke}, {"backing track", kKaraoke},
    {"a cappella", kACappella}, {"a capella", kACappella}, {"acapella", kACappella},
    {"acappella", kACappella},
    {"demo", kDemo},
    {"radio edit", kEdit}, {"single edit", kEdit}, {"edit", kEdit}, {"radio version", kEdit},
    {"single version", kEdit}, {"radio mix", kEdit}, {"short version", kEdit},
    {"extended", kExtended}, {"extended mix", kExtended}, {"extended version", kExtended},
    {"club mix", kExtended}, {"12 inch", kExtended}, {"maxi", kExtended},
    // Neutral: the same recording, however described.
    {"remaster", 0}, {"remastered", 0}, {"remasterizado", 0}, {"remasterise", 0},
    {"digital remaster", 0}, {"mono", 0}, {"stereo", 0}, {"album version", 0},
    {"original mix", 0}, {"original version", 0}, {"version", 0}, {"mix", 0}, {"radio", 0},
    {"deluxe", 0}, {"bonus track", 0}, {"explicit", 0}, {"clean", 0}, {"mixed", 0},
};

}  // namespace

const VersionPhrase* versionPhrase(const std::string& folded) {
  for (const VersionPhrase& entry : kVersionPhrases) {
    if (folded == entry.phrase) return &entry;
  }
  return nullptr;
}

const VersionPhrase* versionPhraseNear(
    const std::string& folded, const std::function<bool(const std::string&, const char*)>& near) {
  for (const VersionPhrase& entry : kVersionPhrases) {
    if (near(folded, entry.phrase)) return &entry;
  }
  return nullptr;
}
