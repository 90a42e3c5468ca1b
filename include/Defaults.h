// What every program, benchmark and test falls back to when it is given nothing else:
// the lookup socket, the catalogue database and the account the server and the importer
// use on it. Constants only.
#ifndef OSTREV_INCLUDE_DEFAULTS_H_
#define OSTREV_INCLUDE_DEFAULTS_H_

constexpr const char kDefaultSocketPath[] = "/var/tmp/ostrevd_socket";
constexpr const char kDefaultDatabaseName[] = "MEDIA";
constexpr const char kDefaultDatabaseUser[] = "vlot";
constexpr const char kDefaultDatabasePassword[] = "pravo";

#endif  // OSTREV_INCLUDE_DEFAULTS_H_
