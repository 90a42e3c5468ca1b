#include "command.h"

#include <cstdio>

command::command() : kind(kPlain) {}
command::command(kind_value kind) : kind(kind) {}
command::~command() = default;

void command::do_it(TextTrackLookup*, int) {
  printf("undefined command\n");
  fflush(stdout);
}

shutdown_command::shutdown_command() : command(kShutdown) {}

void shutdown_command::do_it(TextTrackLookup*, int) {}
