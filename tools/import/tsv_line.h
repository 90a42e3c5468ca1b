// TsvLine: one line of a catalogue file taken apart into its eight columns and checked,
// before anything about it reaches the catalogue. Pure functions; any thread.
#ifndef OSTREV_TOOLS_IMPORT_TSV_LINE_H_
#define OSTREV_TOOLS_IMPORT_TSV_LINE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The columns in file order; the header line names them like this.
enum TsvColumn {
  kAlbumKey,
  kAlbumTitle,
  kAlbumArtist,
  kUpc,
  kDiscTrackNo,
  kTrackTitle,
  kTrackArtist,
  kIsrc,
  kColumnCount
};
extern const char* const kColumnNames[kColumnCount];

// The widest names and ISRC the catalogue columns hold, in characters; a longer value
// would be refused by the database and end the import, so its line is refused here.
constexpr size_t kMaxNameChars = 512;
constexpr size_t kMaxIsrcChars = 15;

struct TrackLine {
  std::string fields[kColumnCount];

  const std::string& operator[](TsvColumn column) const { return fields[column]; }
};

// Takes `line` (without its '\n'; one trailing '\r' is dropped) apart into `out`. On a
// bad line returns false and says why in `problem`, e.g. "expected 8 columns, found 5".
bool parseTrackLine(std::string_view line, TrackLine* out, std::string* problem);

// Whether `line` is the header: the eight column names, tab-separated. A trailing '\r'
// and a leading byte order mark are allowed.
bool isHeaderLine(std::string_view line);

// The UPC as a number when `text` is 1 to 20 ASCII digits and fits 64 bits, else none.
std::optional<uint64_t> parseUpc(const std::string& text);

#endif  // OSTREV_TOOLS_IMPORT_TSV_LINE_H_
