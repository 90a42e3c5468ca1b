// Reads the album descriptor ostrev-album sends from a file or standard input.
#ifndef OSTREV_TOOLS_ALBUM_DESCRIPTOR_FILE_H_
#define OSTREV_TOOLS_ALBUM_DESCRIPTOR_FILE_H_

#include <cstddef>
#include <string>

// Reads `path` ("-" is standard input) into `*text` without its trailing newline. Stops
// once the text is sure to be longer than `limit` bytes: a longer file is left cut there,
// still longer than `limit`, for the caller to refuse. False, with `*problem` saying why,
// when the file cannot be opened or read.
bool readDescriptorFile(const std::string& path, size_t limit, std::string* text,
                        std::string* problem);

#endif  // OSTREV_TOOLS_ALBUM_DESCRIPTOR_FILE_H_
