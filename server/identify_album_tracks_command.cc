#include "identify_album_tracks_command.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <utility>

#include "TextTrackLookup.h"
#include "album_descriptor.h"
#include "base/EnvironmentNumber.h"
#include "wire/socket_io.h"

namespace {

// Each track costs several statements: one request must not hold the worker for ever.
size_t mostTracks() {
  static const size_t most =
      static_cast<size_t>(environmentNumber("OSTREV_ALBUM_MAX_TRACKS", 1, 1000000, 2000));
  return most;
}

}  // namespace

identify_album_tracks_command::identify_album_tracks_command(unique_fd client)
    : identify_album_tracks_command(std::move(client), "") {}

identify_album_tracks_command::identify_album_tracks_command(unique_fd client,
                                                             std::string request_text)
    : command(kLookup), client(std::move(client)), request_text(std::move(request_text)) {}

std::string identify_album_tracks_command::format_tracks_reply() const {
  return tracksReply(tracks);
}

void identify_album_tracks_command::do_it(TextTrackLookup* engine, int) {
  std::cout << request_text << std::endl;
  // Counted before the track queries are built: they take far more memory than the text.
  const size_t count = albumTrackCount(request_text);
  if (count > mostTracks()) {
    std::cout << "Album request refused: " << count << " tracks, at most " << mostTracks()
              << std::endl;
    return;
  }
  parseAlbumDescriptor(request_text, &query, &tracks, std::cout);

  std::ostringstream dump;
  dump << "\nidentify_album_tracks_command::do_it\n" << request_text << "\n"
       << "album:  [" << query.album << "]\n"
       << "artist: [" << query.artist << "]\n"
       << "upc:    [" << query.upc << "]\n";
  engine->beginRequest();
  const size_t identified = engine->findAlbumTracks(&query, &tracks, [this, engine] {
    return !engine->catalogueFault().occurred() && peerConnected(client.get());
  });
  if (engine->catalogueFault().occurred()) {
    engine->catalogueFault().report(std::cerr);
    return;
  }
  if (identified < tracks.size()) {
    std::cout << "Client gone, album request abandoned after " << identified << " of "
              << tracks.size() << " tracks" << std::endl;
    return;
  }
  if (!query.upc.empty()) dump << "\nResult from getAlbumNameByUPC: [" << query.album << "]\n";
  for (const OCRData& track : tracks) {
    dump << "\n"
         << "OCRData.album:  [" << track.album << "]\n"
         << "OCRData.artist: [" << track.artist << "]\n"
         << "OCRData.title:  [" << track.title << "]\n"
         << "OCRData.isrc:   [" << track.isrc << "]\n"
         << "OCRData.upc:    [" << track.upc << "]\n"
         << "mediaScore:     [" << track.mediaScore << "]\n"
         << "albumScore:     [" << track.albumScore << "]\n"
         << "mediaId:        [" << track.mediaId << "]\n"
         << "mediaName:      [" << track.mediaName << "]\n"
         << "albumId:        [" << track.albumId << "]\n"
         << "albumName:      [" << track.albumName << "]\n"
         << "artistId:       [" << track.artistId << "]\n"
         << "artistName:     [" << track.artistName << "]\n";
  }
  std::cout << dump.str();

  answer(&client, format_tracks_reply(), "ERROR: send result");
}
