#include "command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "TextTrackLookup.h"
#include "wire/wire_format.h"

namespace {

const char kVersionLine[] = "ostrevd version " OSTREV_VERSION;

// True when `word` is `name` or an abbreviation of it (an empty word abbreviates anything).
bool abbreviates(const char* word, const char* name) {
  size_t length = strlen(word);
  return length <= strlen(name) && strncmp(word, name, length) == 0;
}

bool startsWith(const char* word, const char* prefix) {
  return strncmp(word, prefix, strlen(prefix)) == 0;
}

// The value of "socket=VALUE" or "dbname=VALUE": the byte after the option name is skipped
// whatever it is. Refuses a missing, empty or oversized value instead of reading past the
// word or cutting a path into a different one.
bool optionValue(const char* word, const char* option, std::string* value) {
  size_t nameLength = strlen(option);
  if (strlen(word) <= nameLength + 1) {
    fprintf(stderr, "ostrevd: --%s needs a value: --%s=VALUE\n", option, option);
    return false;
  }
  const char* text = word + nameLength + 1;
  if (strlen(text) > kMaxPathBytes) {
    fprintf(stderr, "ostrevd: the %s value is longer than %zu bytes: %s\n", option,
            kMaxPathBytes, text);
    return false;
  }
  *value = text;
  return true;
}

}  // namespace

int parseCommandLine(int argc, char** argv, server_config* config) {
  if (argc == 2 && strcmp(argv[1], "-v") == 0) {
    puts(kVersionLine);
    return 1;
  }
  for (int i = 1; i < argc; ++i) {
    const char* word = argv[i];
    while (*word == '-') ++word;
    size_t length = strlen(word);

    // The order decides ambiguities: "d" is debug, never debugqueries.
    if (abbreviates(word, "debug")) {
      config->option_flags |= OPT_DEBUG;
    } else if (abbreviates(word, "synonym")) {
      config->option_flags |= OPT_SYNONYM;
    } else if (abbreviates(word, "metrics")) {
      config->option_flags |= OPT_METRICS;
    } else if (length == 12 && abbreviates(word, "tripletsdisk")) {
      config->option_flags |= OPT_TRIPLETSDISK;
    } else if (length == 8 && abbreviates(word, "triplets")) {
      config->option_flags |= OPT_TRIPLETS;
    } else if (abbreviates(word, "normalizetriplets")) {
      config->option_flags |= OPT_NORMALIZETRIPLETS;
    } else if (abbreviates(word, "debugqueries")) {
      config->option_flags |= OPT_DEBUGQUERIES;
    } else if (abbreviates(word, "version")) {
      puts(kVersionLine);
      return 1;
    } else if (abbreviates(word, "help")) {
      puts("Usage: ostrevd [--version | --debug | --synonym | --metrics | --socket=socket_name "
           "| --onerequest |--dbname=DBNAME | -help]\n");
      return 1;
    } else if (startsWith(word, "socket")) {
      if (!optionValue(word, "socket", &config->socket_path)) return 1;
      printf("Socket name is %s\n", config->socket_path.c_str());
    } else if (startsWith(word, "dbname")) {
      if (!optionValue(word, "dbname", &config->db_name)) return 1;
      printf("DB name is %s\n", config->db_name.c_str());
    } else if (startsWith(word, "http=")) {
      // Checked when the server listens on it.
      config->http = word + strlen("http=");
    } else if (startsWith(word, "workers")) {
      std::string value;
      if (!optionValue(word, "workers", &value)) return 1;
      char* end = nullptr;
      const long workers = strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || workers < 1 || workers > kMostWorkers) {
        fprintf(stderr, "ostrevd: --workers takes a number from 1 to %d: %s\n", kMostWorkers,
                value.c_str());
        return 1;
      }
      config->workers = static_cast<int>(workers);
    } else if (abbreviates(word, "onerequest")) {
      config->option_flags |= OPT_ONEREQUEST;
    } else if (abbreviates(word, "fuzzy")) {
      config->option_flags |= OPT_FUZZY;
    } else if (abbreviates(word, "in-memory")) {
      config->option_flags |= OPT_INMEMORY;
    } else {
      // Still ignored, but a misspelt word in a unit file must not pass unnoticed.
      fprintf(stderr, "ostrevd: ignoring unknown option '%s'\n", argv[i]);
    }
  }
  return -1;
}
