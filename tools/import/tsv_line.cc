#include "tools/import/tsv_line.h"

#include <glib.h>

#include <limits>

const char* const kColumnNames[kColumnCount] = {
    "album_key",     "album_title", "album_artist", "upc",
    "disc_track_no", "track_title", "track_artist", "isrc"};

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Counting characters costs a pass over the text; a value with no more bytes than the
// limit cannot have more characters, so most values never need it.
bool longerThan(const std::string& text, size_t maxChars) {
  if (text.size() <= maxChars) return false;
  return static_cast<size_t>(g_utf8_strlen(text.data(), static_cast<gssize>(text.size()))) >
         maxChars;
}

}  // namespace

bool parseTrackLine(std::string_view line, TrackLine* out, std::string* problem) {
  line = withoutCarriageReturn(line);
  size_t columns = 0;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    std::string_view field = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
    if (columns < kColumnCount) out->fields[columns].assign(field.data(), field.size());
    ++columns;
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (columns != kColumnCount) {
    *problem =
        "expected " + std::to_string(kColumnCount) + " columns, found " + std::to_string(columns);
    return false;
  }

  for (int c = 0; c < kColumnCount; ++c) {
    const std::string& field = out->fields[c];
    // Also refuses NUL bytes, which would cut the value short in every C string after.
    if (!g_utf8_validate_len(field.data(), field.size(), nullptr)) {
      *problem = std::string("invalid UTF-8 in ") + kColumnNames[c];
      return false;
    }
  }
  for (TsvColumn required : {kAlbumKey, kTrackTitle}) {
    if (out->fields[required].empty()) {
      *problem = std::string("empty ") + kColumnNames[required];
      return false;
    }
  }
  for (TsvColumn name : {kAlbumTitle, kAlbumArtist, kTrackTitle, kTrackArtist}) {
    if (longerThan(out->fields[name], kMaxNameChars)) {
      *problem = std::string(kColumnNames[name]) + " longer than " + std::to_string(kMaxNameChars) +
                 " characters";
      return false;
    }
  }
  if (longerThan(out->fields[kIsrc], kMaxIsrcChars)) {
    *problem = "isrc longer than " + std::to_string(kMaxIsrcChars) + " characters";
    return false;
  }
  return true;
}

bool isHeaderLine(std::string_view line) {
  line = withoutCarriageReturn(line);
  if (line.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    line.remove_prefix(kByteOrderMark.size());
  }
  std::string header;
  for (int c = 0; c < kColumnCount; ++c) {
    if (c > 0) header += '\t';
    header += kColumnNames[c];
  }
  return line == header;
}

std::optional<uint64_t> parseUpc(const std::string& text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    uint64_t digit = static_cast<uint64_t>(c - '0');
    if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}
