// One variable-length album-tracks request: the album descriptor and the connection the
// reply goes back on (closed without one for too many tracks, a client gone or the catalogue
// unreachable). Owned by the queue, then by the worker, which hands the reply to the intake.
#ifndef OSTREV_SERVER_IDENTIFY_ALBUM_TRACKS_COMMAND_H_
#define OSTREV_SERVER_IDENTIFY_ALBUM_TRACKS_COMMAND_H_

#include <list>
#include <string>

#include "OCRData.h"
#include "command.h"

class identify_album_tracks_command : public command {
 public:
  explicit identify_album_tracks_command(unique_fd client);
  identify_album_tracks_command(unique_fd client, std::string request_text);

  void do_it(TextTrackLookup* engine, int option_flags) override;

  // The reply: one entry list per track of `tracks`.
  std::string format_tracks_reply() const;

  unique_fd client;
  OCRData query;             // the album as the descriptor gives it
  std::string request_text;  // the descriptor
  std::list<OCRData> tracks;
};

#endif  // OSTREV_SERVER_IDENTIFY_ALBUM_TRACKS_COMMAND_H_
