#include "wire/variable_request.h"

#include <algorithm>

#include <cstdio>

#include "wire/wire_format.h"

namespace {

// The name and the bar that start the text of an album-tracks request.
size_t albumTracksPrefixLength() { return sizeof(kAlbumTracksName) - 1 + 1; }

}  // namespace

bool variableRequest(const std::string& text, std::string* request) {
  if (text.size() > kMaxVariableRequestBytes - kVariableHeaderSize) return false;
  char digits[kVariableLengthDigits + 1];
  snprintf(digits, sizeof(digits), "%06zu", kVariableHeaderSize + text.size());
  request->assign(kVariableName, sizeof(kVariableName));  // with its NUL
  request->append(digits, kVariableLengthDigits);
  request->append(text);
  return true;
}

size_t maxAlbumDescriptorBytes() {
  return kMaxVariableRequestBytes - kVariableHeaderSize - albumTracksPrefixLength();
}

bool candidatesRequest(const CandidatesQuery& query, std::string* request) {
  std::string text = std::string(kCandidatesName) + "|";
  const struct {
    const char* key;
    const std::string& value;
  } items[] = {{"artist", query.artist}, {"album", query.album}, {"title", query.title},
               {"isrc", query.isrc},     {"upc", query.upc}};
  for (const auto& item : items) {
    if (item.value.empty()) continue;
    // A '|' would end the item early; a space keeps the words apart.
    std::string value = item.value;
    std::replace(value.begin(), value.end(), '|', ' ');
    text += std::string(item.key) + ":" + value + "|";
  }
  if (query.limit > 0) text += "limit:" + std::to_string(query.limit) + "|";
  return variableRequest(text, request);
}

bool albumTracksRequest(const std::string& descriptor, std::string* request) {
  if (descriptor.size() > maxAlbumDescriptorBytes()) return false;
  return variableRequest(std::string(kAlbumTracksName) + "|" + descriptor, request);
}
