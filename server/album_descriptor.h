// The album descriptor of an album-tracks request ("album:A|artist:B|title:T1|...") read
// into the album-level query and one query per track, and the reply text built from the
// identified tracks. Pure functions; any thread.
#ifndef OSTREV_SERVER_ALBUM_DESCRIPTOR_H_
#define OSTREV_SERVER_ALBUM_DESCRIPTOR_H_

#include <cstddef>
#include <list>
#include <ostream>
#include <string>

#include "OCRData.h"

// Reads every '|'-terminated "key:value" item of `descriptor` (a last item without '|' is
// ignored; items without a key are skipped). Unknown keys are reported on `messages`.
void parseAlbumDescriptor(const std::string& descriptor, OCRData* album,
                          std::list<OCRData>* tracks, std::ostream& messages);

// How many track queries parseAlbumDescriptor reads from `descriptor`, counted without
// building them.
size_t albumTrackCount(const std::string& descriptor);

// "$x = [ { 'album' => '...', ... }, ... ];\n": one entry list per track, values quoted
// for a single-quoted string (backslash and quote escaped, every other byte as it is).
std::string tracksReply(const std::list<OCRData>& tracks);

#endif  // OSTREV_SERVER_ALBUM_DESCRIPTOR_H_
