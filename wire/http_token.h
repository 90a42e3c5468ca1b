// The bearer token of the HTTP interface: the first line of the file that
// OSTREV_HTTP_TOKEN_FILE names, read by the server, which requires it, and by the clients,
// which send it. A function of the environment and the file; any thread.
#ifndef OSTREV_WIRE_HTTP_TOKEN_H_
#define OSTREV_WIRE_HTTP_TOKEN_H_

#include <string>

// "" when the variable is unset or empty (no token); false, with `error` set, when the
// file cannot be read or its first line is empty.
bool readHttpToken(std::string* token, std::string* error);

#endif  // OSTREV_WIRE_HTTP_TOKEN_H_
