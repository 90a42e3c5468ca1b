#include "command.h"

#include <cstdio>
#include <cstdlib>

command::command() : kind(0) {}
command::command(int kind) : kind(kind) {}
command::~command() = default;

void command::do_it(TextTrackLookup*, int) {
  printf("undefined command\n");
  fflush(stdout);
}

shutdown_command::shutdown_command() : command(1) {}

void shutdown_command::do_it(TextTrackLookup*, int) { exit(0); }
