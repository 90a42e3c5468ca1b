// One "identify" request: the five texts as received and the connection the answer goes
// back on (closed unanswered when the catalogue was unreachable). Owned by the queue, then
// by the worker, which runs and deletes it; the destructor closes the connection.
#ifndef OSTREV_SERVER_IDENTIFY_COMMAND_H_
#define OSTREV_SERVER_IDENTIFY_COMMAND_H_

#include <string>

#include "command.h"

class identify_command : public command {
 public:
  identify_command(std::string artist, std::string album, std::string track, std::string isrc,
                   std::string upc, int client_fd);
  identify_command(std::string artist, std::string album, std::string track, std::string isrc,
                   int client_fd);
  identify_command(std::string artist, std::string album, std::string track, int client_fd);
  ~identify_command() override;

  void do_it(TextTrackLookup* engine, int option_flags) override;

  std::string artist;
  std::string album;
  std::string track;
  std::string isrc;
  std::string upc;
  int client_fd;
};

#endif  // OSTREV_SERVER_IDENTIFY_COMMAND_H_
