// The bytes ostrev-album sends: an album descriptor wrapped in the variable-length
// request of the lookup socket. Pure functions.
#ifndef OSTREV_TOOLS_ALBUM_ALBUM_REQUEST_H_
#define OSTREV_TOOLS_ALBUM_ALBUM_REQUEST_H_

#include <cstddef>
#include <string>

// The six header digits cap the whole request at 999,999 bytes; the header and the
// request name take their share of that.
size_t maxDescriptorBytes();

// "variable", NUL, the total length as six digits, "identify_album_tracks|" and the
// descriptor. False, with `*request` untouched, when the descriptor is longer than
// maxDescriptorBytes().
bool albumRequest(const std::string& descriptor, std::string* request);

#endif  // OSTREV_TOOLS_ALBUM_ALBUM_REQUEST_H_
