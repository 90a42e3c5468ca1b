// ostrevd: the lookup server. Parses the command line, builds the engine (which connects
// to the catalogue) and serves requests on the local socket.
#include <cstdio>

#include "Defaults.h"
#include "command_line.h"
#include "lookup_server.h"

int main(int argc, char** argv) {
  server_config config;
  int status = parseCommandLine(argc, argv, &config);
  if (status >= 0) return status;

  if (!(config.option_flags & OPT_SYNONYM)) {
    printf("starting up...\n");
    fflush(stdout);
  }
  const char* socket_path = config.socket_path.empty() ? nullptr : config.socket_path.c_str();
  // Before the engines, whose start-up may take minutes, and again before binding.
  refuseToTakeOver(socket_path != nullptr ? socket_path : kDefaultSocketPath);
  lookup_server server(config.option_flags,
                       config.db_name.empty() ? nullptr : config.db_name.c_str(),
                       config.workers);
  server.run(socket_path, config.http);
  return 0;
}
