// Fuzz target: the album descriptor of an album-tracks request, parsed, then the reply
// built from its tracks. The reply is read back: its quoted texts must come out as the
// keys and values that went in, whatever bytes the values hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "OCRData.h"
#include "album_descriptor.h"

namespace {

constexpr size_t kEntriesPerTrack = 13;

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The single-quoted texts of `reply` in order, unescaped; false when a quote is left open.
bool quotedTexts(const std::string& reply, std::vector<std::string>* texts) {
  bool inside = false;
  std::string current;
  for (size_t i = 0; i < reply.size(); ++i) {
    const char c = reply[i];
    if (!inside) {
      if (c == '\'') inside = true;
    } else if (c == '\\') {
      if (++i == reply.size()) return false;
      current += reply[i];
    } else if (c == '\'') {
      texts->push_back(current);
      current.clear();
      inside = false;
    } else {
      current += c;
    }
  }
  return !inside;
}

bool noBar(const std::string& value) { return value.find('|') == std::string::npos; }

size_t countOf(const std::string& text, const std::string& word) {
  size_t count = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string descriptor(reinterpret_cast<const char*>(data), size);
  OCRData album;
  std::list<OCRData> tracks;
  std::ostringstream messages;
  parseAlbumDescriptor(descriptor, &album, &tracks, messages);

  check(tracks.size() <= countOf(descriptor, "title:"), "more tracks than titles");
  check(noBar(album.album) && noBar(album.artist) && noBar(album.upc), "album value holds a '|'");
  for (const OCRData& track : tracks) {
    check(noBar(track.title) && noBar(track.artist) && noBar(track.isrc),
          "track value holds a '|'");
  }

  const std::string reply = tracksReply(tracks);
  check(startsWith(reply, "$x = [ ") && endsWith(reply, " ];\n"), "reply framing");
  std::vector<std::string> texts;
  check(quotedTexts(reply, &texts), "reply leaves a quote open");
  check(texts.size() == 2 * kEntriesPerTrack * tracks.size(),
        "reply has the wrong number of texts");
  size_t i = 0;
  for (const OCRData& track : tracks) {
    const std::string* fields[] = {&track.album, &track.artist, &track.title, &track.isrc,
                                   &track.upc};
    const char* keys[] = {"album", "artist", "title", "isrc", "upc"};
    for (size_t k = 0; k < 5; ++k) {
      check(texts[i + 2 * k] == keys[k], "reply key");
      check(texts[i + 2 * k + 1] == *fields[k], "reply value differs from the track's");
    }
    i += 2 * kEntriesPerTrack;
  }
  return 0;
}
