// Matcher: the ostrev library's way in. It identifies music recordings of one catalogue
// database from noisy text: one track from a query, the tracks it may be, or every track
// of an album at once. A Matcher owns its catalogue connection (and, as its options say,
// its fuzzy index or resident catalogue); it is used by one thread at a time: open one per
// thread. Every call answers with a Status; none ends the process or prints.
#ifndef OSTREV_INCLUDE_OSTREV_MATCHER_H_
#define OSTREV_INCLUDE_OSTREV_MATCHER_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ostrev/scores.h"
#include "ostrev/status.h"

namespace ostrev {

// Where the catalogue is and how to search it. The host is OSTREV_DB_HOST's, else
// "localhost"; a local server is reached through MYSQL_UNIX_PORT's socket, as by the
// MariaDB client library.
struct Options {
  std::string database;  // required
  std::string user;      // required
  std::string password;
  // The fuzzy stage: an in-memory index of every track, asked when the text cascade is not
  // confident, and the verification of every answer (another version, other numbers, too
  // little said: held below kConfidentScore, with reasons).
  bool fuzzy = false;
  // Reads the whole catalogue into memory at Open and answers from it.
  bool in_memory = false;
  // Which tables the lookups read: the joined tables (default), or the triplets table in
  // memory or on disk.
  enum class Tables { kJoined, kTriplets, kTripletsDisk };
  Tables tables = Tables::kJoined;
};

// What a caller could read about a recording; any field may be empty, and noisy.
struct Query {
  std::string artist;
  std::string album;
  std::string title;
  std::string isrc;
  std::string upc;
};

// A catalogue track as an answer. Ids are 0 and names empty when there is no track.
struct Match {
  int64_t track_id = 0;
  std::string track;
  int64_t artist_id = 0;
  std::string artist;
  int64_t album_id = 0;
  std::string album;
  float score = 0;        // 0 to 100
  float album_score = 0;  // how well the query's album text fits the track's album
  // The step that found it: "isrc", "upc", "exact track", "exact artist", "exact album",
  // "track by name", "fuzzy", "album" (album requests), or "none".
  std::string stage;
  // With Options::fuzzy, why the verification doubts it ("version differs: live / none").
  std::vector<std::string> reasons;

  bool found() const { return track_id != 0; }
  bool confident() const { return found() && score >= kConfidentScore; }
};

// A track the query may be, with each field's similarity (0 to 100).
struct Candidate : Match {
  float title_similarity = 0;
  float artist_similarity = 0;
  float album_similarity = 0;
};

// An album and its track list, identified at once.
struct AlbumQuery {
  std::string album;
  std::string artist;  // the album artist, standing in for a track without one
  std::string upc;
  struct Track {
    std::string title;
    std::string artist;
    std::string isrc;
  };
  std::vector<Track> tracks;
};

class Matcher {
 public:
  // Connects to the catalogue and, as the options say, builds the fuzzy index or reads the
  // resident catalogue. Unavailable when the catalogue cannot be reached or read.
  static Status Open(const Options& options, std::unique_ptr<Matcher>* matcher);

  ~Matcher();
  Matcher(const Matcher&) = delete;
  Matcher& operator=(const Matcher&) = delete;

  // The one track the query names, as the server's identify request answers it. OK with
  // a Match that is not found() when no track fits.
  Status Identify(const Query& query, Match* match);

  // The tracks the query may be, best first, at most `limit` (1 to 50): the answer
  // Identify gives, then, with Options::fuzzy, the fuzzy index's next best. `*ambiguous`,
  // when given, says whether the first two are less than 2 points apart.
  Status Candidates(const Query& query, size_t limit, std::vector<Candidate>* candidates,
                    bool* ambiguous = nullptr);

  // One Match per track of the album, in order (not found() where none fits).
  Status IdentifyAlbum(const AlbumQuery& album, std::vector<Match>* matches);

 private:
  class Engine;
  friend class EngineMatcher;  // the lookup server's workers, over engines they own
  explicit Matcher(std::unique_ptr<Engine> engine);
  std::unique_ptr<Engine> engine_;
};

}  // namespace ostrev

#endif  // OSTREV_INCLUDE_OSTREV_MATCHER_H_
