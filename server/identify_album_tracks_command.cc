#include "identify_album_tracks_command.h"

#include <unistd.h>

#include <utility>

identify_album_tracks_command::identify_album_tracks_command(int client_fd)
    : identify_album_tracks_command(client_fd, "") {}

identify_album_tracks_command::identify_album_tracks_command(int client_fd,
                                                             std::string request_text)
    : command(2), client_fd(client_fd), request_text(std::move(request_text)) {}

identify_album_tracks_command::~identify_album_tracks_command() { close(client_fd); }

// The album lookup is not wired in yet: the request is read, logged and closed unanswered.
void identify_album_tracks_command::do_it(TextTrackLookup*, int) {}
