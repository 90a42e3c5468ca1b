#include "command.h"

#include <cstdio>
#include <utility>

command::command() : kind(kPlain) {}
command::command(kind_value kind) : kind(kind) {}
command::~command() = default;

void command::do_it(TextTrackLookup*, int) {
  printf("undefined command\n");
  fflush(stdout);
}

std::optional<Reply> command::takeReply() {
  std::optional<Reply> reply = std::move(reply_);
  reply_.reset();
  return reply;
}

void command::answer(unique_fd* client, std::string bytes, const char* sendFailure) {
  reply_ = Reply{std::move(*client), std::move(bytes), sendFailure};
}

shutdown_command::shutdown_command() : command(kShutdown) {}

void shutdown_command::do_it(TextTrackLookup*, int) {}
