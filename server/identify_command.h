// One "identify" request: the five texts as received and the connection the answer goes
// back on (closed unanswered when the catalogue was unreachable). Owned by the queue, then
// by the worker, which runs it and hands its reply, with the connection, to the intake.
#ifndef OSTREV_SERVER_IDENTIFY_COMMAND_H_
#define OSTREV_SERVER_IDENTIFY_COMMAND_H_

#include <string>

#include "OCRData.h"
#include "command.h"

class identify_command : public command {
 public:
  identify_command(std::string artist, std::string album, std::string track, std::string isrc,
                   std::string upc, unique_fd client);
  identify_command(std::string artist, std::string album, std::string track, std::string isrc,
                   unique_fd client);
  identify_command(std::string artist, std::string album, std::string track, unique_fd client);

  void do_it(TextTrackLookup* engine, int option_flags) override;

  std::string artist;
  std::string album;
  std::string track;
  std::string isrc;
  std::string upc;
  unique_fd client;
};

#endif  // OSTREV_SERVER_IDENTIFY_COMMAND_H_
