#include "identify_command.h"

#include <unistd.h>

#include <utility>

identify_command::identify_command(std::string artist, std::string album, std::string track,
                                   std::string isrc, std::string upc, int client_fd)
    : command(2),
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

// The lookup is not wired in yet: the request is read, logged and closed unanswered.
void identify_command::do_it(TextTrackLookup*, int) {}
