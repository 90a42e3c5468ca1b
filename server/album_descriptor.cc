#include "album_descriptor.h"

#include <sstream>

#include "descriptor_items.h"

namespace {

// Values go between single quotes in the reply: only '\' and '\'' need escaping there.
std::string singleQuoted(const std::string& value) {
  std::string quoted;
  quoted.reserve(value.size());
  for (char ch : value) {
    if (ch == '\\' || ch == '\'') quoted += '\\';
    quoted += ch;
  }
  return quoted;
}

std::string scoreText(float score) {
  std::ostringstream text;
  text << score;
  return text.str();
}

}  // namespace

size_t albumTrackCount(const std::string& descriptor) {
  // Each title starts a track; a last title left empty starts none.
  size_t titles = 0;
  bool lastEmpty = false;
  forEachItem(descriptor, [&](const std::string& key, const std::string& value) {
    if (key != "title") return;
    ++titles;
    lastEmpty = value.empty();
  });
  return lastEmpty ? titles - 1 : titles;
}

void parseAlbumDescriptor(const std::string& descriptor, OCRData* album,
                          std::list<OCRData>* tracks, std::ostream& messages) {
  OCRData current;
  bool inTracks = false;
  forEachItem(descriptor, [&](const std::string& key, const std::string& value) {
    if (!inTracks) {
      if (key == "album") {
        album->album = value;
      } else if (key == "artist") {
        album->artist = value;
      } else if (key == "upc") {
        album->upc = value;
      } else if (key == "title") {
        current.title = value;
        inTracks = true;
      } else {
        messages << "Error in parsing in identify_album_tracks_command::do_it: " << key
                 << std::endl;
      }
    } else if (key == "title") {
      tracks->push_back(current);
      current = OCRData();
      current.title = value;
    } else if (key == "artist") {
      current.artist = value;
    } else if (key == "isrc") {
      current.isrc = value;
    } else {
      messages << "Unknown descriptor: [" << key << "] [" << value << "]\n";
    }
  });
  if (!current.title.empty()) tracks->push_back(current);
}

std::string tracksReply(const std::list<OCRData>& tracks) {
  std::string reply = "$x = [ ";
  for (const OCRData& track : tracks) {
    const std::pair<const char*, std::string> entries[] = {
        {"album", track.album},
        {"artist", track.artist},
        {"title", track.title},
        {"isrc", track.isrc},
        {"upc", track.upc},
        {"mediaScore", scoreText(track.mediaScore)},
        {"albumScore", scoreText(track.albumScore)},
        {"mediaId", track.mediaId},
        {"mediaName", track.mediaName},
        {"albumId", track.albumId},
        {"albumName", track.albumName},
        {"artistId", track.artistId},
        {"artistName", track.artistName},
    };
    reply += "{ ";
    for (const auto& entry : entries) {
      reply += "'";
      reply += entry.first;
      reply += "' => '" + singleQuoted(entry.second) + "', ";
    }
    reply += "}, ";
  }
  return reply + " ];\n";
}
