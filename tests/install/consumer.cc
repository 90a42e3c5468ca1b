// A program using the installed library: the public header compiles with nothing but the
// installed include path, and libmatch links and loads.
#include <TextTrackLookup.h>
#include <ostrev/scores.h>

#include <cstdio>
#include <string>

static_assert(ostrev::kConfidentScore > ostrev::kAcceptedScore, "the scores header is found");

int main() {
  // Runs code of libmatch.so without needing a catalogue.
  std::printf("%s\n", defaultDatabaseHost().c_str());
  // Makes the linker resolve the class's symbols as well.
  float (TextTrackLookup::*find)(OCRData, std::string*) =
      &TextTrackLookup::findTrackByText;
  return find != nullptr ? 0 : 1;
}
