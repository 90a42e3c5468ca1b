#include "identify_command.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <utility>

#include "TextTrackLookup.h"
#include "wire/socket_io.h"
#include "wire/wire_format.h"

namespace {

constexpr size_t kQueryTextBytes = 70;

}  // namespace

OCRData lookupQuery(const std::string& artist, const std::string& album,
                    const std::string& title, const std::string& isrc,
                    const std::string& upc) {
  OCRData query;
  query.title = title.substr(0, kQueryTextBytes);
  query.artist = artist.substr(0, kQueryTextBytes);
  query.album = album.substr(0, kQueryTextBytes);
  query.isrc = isrc;
  query.upc = upc;
  return query;
}

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   std::string isrc, std::string upc, int client_fd)
    : command(kLookup),
      artist(std::move(artist)),
      album(std::move(album)),
      track(std::move(track)),
      isrc(std::move(isrc)),
      upc(std::move(upc)),
      client_fd(client_fd) {}

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   std::string isrc, int client_fd)
    : identify_command(std::move(artist), std::move(album), std::move(track), std::move(isrc),
                       "", client_fd) {}

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   int client_fd)
    : identify_command(std::move(artist), std::move(album), std::move(track), "", "",
                       client_fd) {}

identify_command::~identify_command() { close(client_fd); }

void identify_command::do_it(TextTrackLookup* engine, int option_flags) {
  engine->beginRequest();
  const OCRData query = lookupQuery(artist, album, track, isrc, upc);
  std::string mediaId;
  const float score = engine->findTrack(query, &mediaId);

  std::string mediaName, artistId, artistName, albumId, albumName;
  engine->fillTrackInfo(mediaId, mediaName, artistId, artistName, albumId, albumName);
  float albumScore = engine->calcAlbumScore(query.album, albumName);
  // Without the catalogue the answer would read as "no such track": no answer says more.
  if (engine->catalogueFault().occurred()) {
    engine->catalogueFault().report(std::cerr);
    return;
  }

  lookup_result answer;
  answer.track_id = wireId(mediaId);
  setResultName(answer.track_name, mediaName);
  answer.artist_id = wireId(artistId);
  setResultName(answer.artist_name, artistName);
  answer.album_id = wireId(albumId);
  setResultName(answer.album_name, albumName);
  answer.match_score = score;
  answer.album_score = albumScore;

  const bool quiet = option_flags & OPT_SYNONYM;
  if (!quiet) {
    std::cout << "artist: [" << artistId << "] \t" << artistName << std::endl;
    std::cout << "album:  [" << albumId << "] \t" << albumName << std::endl;
    std::cout << "track:  [" << mediaId << "] \t" << mediaName << std::endl;
    std::cout << "score:  [" << score << "]" << std::endl;
    std::cout << "album score: [" << albumScore << "]" << std::endl;
  }
  std::cout << "----------------------------------------------\n";
  if (!quiet) std::cout << "\n";
  std::cout << std::flush;

  if (!sendFully(client_fd, reinterpret_cast<const char*>(&answer), sizeof(answer))) {
    perror("ERROR: send result");
  }
}
