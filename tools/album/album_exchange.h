// The one conversation of ostrev-album with the lookup server: connect to its socket, send
// the request, read the reply until the server closes. All of the tool's socket calls.
#ifndef OSTREV_TOOLS_ALBUM_ALBUM_EXCHANGE_H_
#define OSTREV_TOOLS_ALBUM_ALBUM_EXCHANGE_H_

#include <string>

// Sends `request` to the server listening on `socketPath` (at most kMaxPathBytes bytes)
// and collects its reply. False, with `*problem` saying which step failed and why, also
// when the server closed without replying.
bool exchangeWithServer(const std::string& socketPath, const std::string& request,
                        std::string* reply, std::string* problem);

#endif  // OSTREV_TOOLS_ALBUM_ALBUM_EXCHANGE_H_
