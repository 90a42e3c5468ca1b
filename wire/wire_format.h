// The bytes that cross the lookup socket: the fixed-size request and answer records, the
// header of the variable-length request, and the conversions both programs use to fill
// and read them. Host byte order throughout (client and server share the machine).
// Plain functions on caller-owned buffers; safe on any thread.
#ifndef OSTREV_WIRE_WIRE_FORMAT_H_
#define OSTREV_WIRE_WIRE_FORMAT_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "ostrev/limits.h"

// Socket paths and database names live in 100-byte buffers with their terminator.
constexpr size_t kMaxPathBytes = 99;

struct lookup_query {
  char command_name[20];
  char artist[200];
  char album[200];
  char track[200];
  char isrc[200];
  char upc[200];
};

struct lookup_result {
  int32_t track_id;
  char track_name[200];
  int32_t artist_id;
  char artist_name[200];
  int32_t album_id;
  char album_name[200];
  float match_score;
  float album_score;
};

static_assert(sizeof(lookup_query) == 1020, "lookup_query is 1020 bytes on the wire");
static_assert(sizeof(lookup_result) == 620, "lookup_result is 620 bytes on the wire");
static_assert(offsetof(lookup_result, artist_id) == 204 && offsetof(lookup_result, album_id) == 408 &&
                  offsetof(lookup_result, match_score) == 612 &&
                  offsetof(lookup_result, album_score) == 616,
              "lookup_result has no padding");

constexpr size_t kQuerySize = sizeof(lookup_query);
constexpr size_t kShortQuerySize = 620;  // up to and including `track`
constexpr size_t kResultSize = sizeof(lookup_result);

// The request names. A fixed-form request carries its name in `command_name`; the
// variable-length form starts with kVariableName and its NUL, and its text may start with
// kAlbumTracksName and a bar.
constexpr const char kIdentifyName[] = "identify";
constexpr const char kShutdownName[] = "shutdown";
constexpr const char kVariableName[] = "variable";
constexpr const char kAlbumTracksName[] = "identify_album_tracks";
// A variable-length request whose text starts with kCandidatesName and a bar asks for the
// tracks a query may be ("artist:", "album:", "title:", "isrc:", "upc:", "limit:" items),
// answered with one JSON object.
constexpr const char kCandidatesName[] = "identify_candidates";
// Candidates listed when the request names no limit, and the most it may ask for.
constexpr int kDefaultCandidates = 5;
using ostrev::kMostCandidates;

// Variable-length request: kVariableName and its NUL, six ASCII digits giving the total
// length (header included), then the request text (wire/variable_request.h builds one).
constexpr size_t kVariableLengthDigits = 6;
constexpr size_t kVariableHeaderSize = sizeof(kVariableName) + kVariableLengthDigits;
static_assert(kVariableHeaderSize == 15, "the variable-length header is 15 bytes");

// The text of a fixed-width field: up to its first NUL, or the whole field when it has
// none (a field is never read past its end).
std::string fieldText(const char* field, size_t width);

// Stores at most width - 1 bytes of `text` and pads the field with NULs.
void setQueryField(char* field, size_t width, const std::string& text);

// Answer name fields: at most 200 bytes copied, NUL-padded, and byte 199 always NUL.
void setResultName(char (&field)[200], const std::string& name);

// Catalogue ids travel as decimal text; on the wire they are 32-bit. Text that does not
// start with a number gives 0; of a larger number only the low 32 bits are kept.
int32_t wireId(const std::string& text);

// The total length announced by a variable-length header (bytes 9 to 14: digits up to the
// first non-digit), or -1 when it does not start with a digit.
long variableLength(const char* header);

#endif  // OSTREV_WIRE_WIRE_FORMAT_H_
