// Builds the variable-length request of the lookup socket: the header of
// wire/wire_format.h and a text, and the album-tracks request that wraps a descriptor in
// it. Pure functions; any thread.
#ifndef OSTREV_WIRE_VARIABLE_REQUEST_H_
#define OSTREV_WIRE_VARIABLE_REQUEST_H_

#include <cstddef>
#include <string>

// The six length digits cap a whole request, header included, at this many bytes.
constexpr size_t kMaxVariableRequestBytes = 999999;

// The header announcing the request's total length, then `text`. False, with `*request`
// untouched, when the whole would exceed kMaxVariableRequestBytes.
bool variableRequest(const std::string& text, std::string* request);

// The longest descriptor an album-tracks request can carry.
size_t maxAlbumDescriptorBytes();

// A variable-length request of kAlbumTracksName, a bar and `descriptor`. False, with
// `*request` untouched, when the descriptor is longer than maxAlbumDescriptorBytes().
bool albumTracksRequest(const std::string& descriptor, std::string* request);

// The texts of a candidates request.
struct CandidatesQuery {
  std::string artist;
  std::string album;
  std::string title;
  std::string isrc;
  std::string upc;
  int limit = 0;  // 0: the server's default
};

// A variable-length request of kCandidatesName, a bar and the query's items, a '|' in a
// text (which would end its item) sent as a space. False, with `*request` untouched, when
// the request would be too long.
bool candidatesRequest(const CandidatesQuery& query, std::string* request);

#endif  // OSTREV_WIRE_VARIABLE_REQUEST_H_
