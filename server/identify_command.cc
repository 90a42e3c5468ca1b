#include "identify_command.h"

#include <cstdio>
#include <iostream>
#include <utility>

#include "TextTrackLookup.h"
#include "engine/RequestTexts.h"
#include "wire/wire_format.h"

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   std::string isrc, std::string upc, unique_fd client)
    : command(kLookup),
      artist(std::move(artist)),
      album(std::move(album)),
      track(std::move(track)),
      isrc(std::move(isrc)),
      upc(std::move(upc)),
      client(std::move(client)) {}

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   std::string isrc, unique_fd client)
    : identify_command(std::move(artist), std::move(album), std::move(track), std::move(isrc),
                       "", std::move(client)) {}

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   unique_fd client)
    : identify_command(std::move(artist), std::move(album), std::move(track), "", "",
                       std::move(client)) {}

void identify_command::do_it(TextTrackLookup* engine, int option_flags) {
  engine->beginRequest();
  const OCRData query = requestQuery(artist, album, track, isrc, upc);
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

  lookup_result result;
  result.track_id = wireId(mediaId);
  setResultName(result.track_name, mediaName);
  result.artist_id = wireId(artistId);
  setResultName(result.artist_name, artistName);
  result.album_id = wireId(albumId);
  setResultName(result.album_name, albumName);
  result.match_score = score;
  result.album_score = albumScore;

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

  answer(&client, std::string(reinterpret_cast<const char*>(&result), sizeof(result)),
         "ERROR: send result");
}
