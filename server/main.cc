// ostrevd: the lookup server. Parses the command line, builds the engine (which connects
// to the catalogue) and serves requests on the local socket.
#include <cstdio>

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
  lookup_server server(config.option_flags,
                       config.db_name.empty() ? nullptr : config.db_name.c_str());
  server.run(config.socket_path.empty() ? nullptr : config.socket_path.c_str());
  return 0;
}
