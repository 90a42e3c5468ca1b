// TextTrackLookup: the lookup engine, the one way into libmatch. It owns the catalogue
// connection and the tuning of the lookups. Built once (on the server's main thread) and
// then used by one thread at a time; it takes no locks.
#ifndef OSTREV_INCLUDE_TEXTTRACKLOOKUP_H_
#define OSTREV_INCLUDE_TEXTTRACKLOOKUP_H_

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "OCRData.h"
#include "OptionFlags.h"
#include "db/Connection.h"
#include "engine/CandidateList.h"
#include "engine/RecentQuery.h"
#include "engine/SharedEngineState.h"
#include "fuzzy/FuzzyTrackIndex.h"
#include "getdata/IdentifierLookups.h"
#include "getdata/StatementReader.h"
#include "resident/ResidentReader.h"
#include "getdata/DBResultSet.h"
#include "text/FuzzyTextCompare.h"
#include "verify/AnswerCheck.h"

// The catalogue host: "localhost" unless the environment variable OSTREV_DB_HOST names
// another.
std::string defaultDatabaseHost();

class TextTrackLookup {
 public:
  // Connects to the catalogue; when that fails the process ends with status 10. The three
  // strings are read, not kept; a null pointer counts as an empty string.
  TextTrackLookup(int option_flags, const std::string* user, const std::string* password,
                  const std::string* dbName);

  // The engine of the library's public API: as the constructor, but without output of its
  // own and without ending the process. Null, with `*problem` saying why, when the
  // catalogue cannot be reached or read.
  static std::unique_ptr<TextTrackLookup> openQuietly(int option_flags, const std::string& user,
                                                      const std::string& password,
                                                      const std::string& dbName,
                                                      std::string* problem);

  // Another engine on a catalogue connection of its own, with this one's options, sharing
  // its fuzzy index (rebuilt for both by rebuildFuzzyIndex) and name caches: one per worker
  // thread of a server. Built while no look-up runs; ends the process as the constructor.
  std::unique_ptr<TextTrackLookup> makeSibling() const;

  TextTrackLookup(const TextTrackLookup&) = delete;
  TextTrackLookup& operator=(const TextTrackLookup&) = delete;

  // Records the credentials and hands them to the connection; without a user name or a
  // database name the connection gets the host alone.
  void connectDB(std::string user, std::string password, std::string dbName);

  void setVerboseMode(int on);
  void setFullDBScanMode(int on);
  void setTryArtistMode(int on);
  void setSingleArtAlbBoost(int boost);
  void setResultsToTest(int count);
  void setHighConfScore(int score);

  // Kept for callers of the interface; characters are never equated.
  void equateCharacters(unsigned char a, unsigned char b, int weight);

  // The text cascade: exact track, exact artist, exact album, track by name. Returns the
  // score of the answer left in `*result` (10 when no strategy had a candidate), and in
  // `*stage`, when given, the step that found it ("none" when none did).
  float findTrackByText(OCRData query, std::string* result, std::string* stage);
  float findTrackByText(OCRData query, std::string* result);
  // An identify request's answer: by a 12-byte ISRC the catalogue knows ("isrc"; with
  // OPT_FUZZY also by a UPC and a title, "upc"), else by the text cascade. Same result and
  // stage as findTrackByText.
  float findTrack(OCRData query, std::string* result, std::string* stage = nullptr);
  // With OPT_FUZZY, why the verification doubts `track` as the answer to `query` (found by
  // an identifier when `identified`); empty without it or without doubts.
  std::vector<std::string> answerReasons(const OCRData& query, const AnswerTexts& track,
                                         bool identified);
  // The tracks the query may be, best first, at most `limit` (at least 1): the answer
  // findTrack gives, then the fuzzy index's next best (with OPT_FUZZY), each with its names,
  // per-field similarities and the stage that found it.
  CandidateList listCandidates(const OCRData& query, size_t limit);
  // The fuzzy stage (OPT_FUZZY): the best `limit` tracks of the in-memory index for the
  // query, best first, with their per-field similarities; empty without the index.
  std::vector<FuzzyCandidate> findFuzzyCandidates(const OCRData& query, size_t limit);
  // True, with `*result` and `*score` set, when the stage's best track scores above
  // `*score`.
  bool findFuzzyTrack(OCRData query, std::string* result, float* score);
  // Builds a new fuzzy index on a catalogue connection of its own and swaps it in for the
  // one the look-ups use; false, with the old index kept, when the catalogue could not be
  // read. The one method that may run on another thread while the engine is in use.
  bool rebuildFuzzyIndex();
  // With OPT_INMEMORY: reads the whole catalogue again on a connection of its own (and
  // builds the fuzzy index from it with OPT_FUZZY) and swaps it in; without it, as
  // rebuildFuzzyIndex. False, with the old kept, when the catalogue could not be read.
  // Any thread, one rebuild at a time; requests go on meanwhile.
  bool reloadCatalogue();
  // Reads the catalogue again when its generation has moved since it was last read; false
  // when the catalogue could not be asked or read (the old one stays). Any thread.
  bool refreshResidentCatalogue();

  // 100 when the exact track is in the catalogue, else 0.
  float findTrackByExactText(OCRData query, std::string* result);

  // Strategies: true when confident; `*score` is set whenever a candidate was selected.
  bool findExactTrack(OCRData query, std::string* result, float* score);
  bool findExactArtist(OCRData query, std::string* result, float* score);
  bool findExactAlbum(OCRData query, std::string* result, float* score);
  bool findTrackByName(OCRData query, std::string* result, float* score);
  bool findFuzzyArtist(OCRData query, std::string* result, float* score);
  bool findFuzzyAlbum(OCRData query, std::string* result, float* score);
  bool findFuzzyArtistAlbum(OCRData query, std::string* result, float* score);
  bool findFullTextArtist(OCRData query, std::string* result, float* score);
  bool findFirstLetterArtist(OCRData query, std::string* result, float* score);

  // The selection step every strategy ends in: fills the track set from the artist and
  // album sets (or from the track `name`), picks the best track, caches a confident one.
  bool findInexactMatch(OCRData query, std::string* result, DBResultSet artists,
                        DBResultSet albums, DBResultSet tracks, float* score);
  bool findInexactTrackMatch(OCRData query, std::string* result, DBResultSet artists,
                             DBResultSet albums, DBResultSet tracks, float* score,
                             std::string name);

  // The recent-query cache: every confident answer, at most 10001 of them.
  void addRecentQuery(OCRData query, float score, std::string trackId);
  float findRecentQuery(OCRData query, FuzzyTextCompare comparer, std::string* result);
  bool findRecentTrack(OCRData query, std::string* result, float* score);

  // An ISRC of any other length is not looked up.
  static constexpr size_t kIsrcLength = 12;
  // Identifier look-ups: the best track carrying the query's ISRC (25 to 100, 0 when
  // none), and the album name the query's UPC designates ("" when none fits its album).
  float findTrackByISRC(OCRData query, std::string* result);
  std::string findAlbumNameByUPC(OCRData* query);

  // Identifies every track query of `tracks` (in place) against the album of `album`,
  // asking `keepGoing` before each track's look-ups and stopping when it says no. Returns
  // how many tracks were identified: all of them unless it stopped.
  size_t findAlbumTracks(OCRData* album, std::list<OCRData>* tracks,
                         const std::function<bool()>& keepGoing = [] { return true; });

  // Catalogue faults, one request at a time: beginRequest forgets the last request's, and
  // catalogueFault() then tells whether this one lost the catalogue on the way (a lost or
  // timed-out connection), which makes its answer worthless.
  // It also lets the request read the newest resident catalogue.
  void beginRequest();
  const CatalogueFault& catalogueFault() const { return connection.fault; }

  int findExactAlbumArtists(OCRData* query, DBResultSet* albums, DBResultSet* artists);
  bool findExactAlbumTracks(OCRData query, std::string* result, float* score);

  // The names and ids of a found track; false when the id is unknown.
  bool fillTrackInfo(std::string trackId, std::string& trackName, std::string& artistId,
                     std::string& artistName, std::string& albumId, std::string& albumName);
  bool fillTrackInfo(std::string trackId, std::string& trackName, std::string& artistId,
                     std::string& artistName, std::string& albumId, std::string& albumName,
                     int& length, std::string& label, std::string& year, int& unused);
  // How well the requested album text fits the found album name, 0 to 100.
  float calcAlbumScore(std::string queryAlbum, std::string foundAlbum);

  // Times the candidate retrievals against each other and prints the figures.
  void profile(OCRData query);
  // The human-readable report of the candidate sets (any set may be null).
  void debug_output(DBResultSet* artists, int artistCount, DBResultSet* albums, int albumCount,
                    DBResultSet* tracks, int trackCount, OCRData* query);

  FuzzyTextCompare comparer;
  Connection connection;
  std::string dbUser;
  std::string dbPassword;
  std::string dbName;
  bool verboseMode;
  bool fullDBScanMode;     // lets artist and album retrieval scan the whole list
  bool tryArtistMode;
  int singleArtAlbBoost;   // bonus for candidates from a single-artist album
  int resultsToTest;       // capacity of every candidate set
  int highConfScore;       // score at which an inexact answer is accepted
  std::list<recentQuery> recentQueries;  // oldest first
  int option_flags;
  // The fuzzy index (built at start-up with OPT_FUZZY, null otherwise) and the name caches'
  // loading, shared with the siblings.
  std::shared_ptr<SharedEngineState> shared;

 private:
  st_mysql* handle() { return connection.getMyHandle(); }
  // Where the retrieval functions read their rows.
  CatalogueReader& reader();
  // The artist and album name caches, loaded once before the first strategy that reads
  // them, so that start-up and the text cascade never pay for them.
  void loadNameCaches();
  // With the fuzzy index: the catalogue name of the album that the track queries, their
  // artists and the album text point to; "" when none does.
  std::string findFuzzyAlbumName(const OCRData& album, const std::list<OCRData>& tracks);
  // The album's own tracks matched to the track queries: one to one with the fuzzy
  // stage, else each query its best track.
  void matchAlbumRecords(const std::list<trackRecord>& records, std::list<OCRData>* tracks);
  // Picks the best candidate of a filled track set.
  bool selectTrack(OCRData& query, std::string* result, DBResultSet& artists,
                   DBResultSet& albums, DBResultSet& tracks, float* score);

  // With OPT_FUZZY: `score` of `track` as an answer to `query`, held below the confident
  // score when the verification doubts it (an `identified` answer needs no more than its
  // title), with the reasons in `*reasons` when given. Without OPT_FUZZY, `score`.
  float verifiedScore(const OCRData& query, const AnswerTexts& track, float score,
                      std::vector<std::string>* reasons, bool identified = false);
  // The same for the answer `trackId`, whose names are read when the score is one the
  // verification could hold down.
  float verifiedAnswer(const OCRData& query, const std::string& trackId, float score,
                       bool identified);
  // The names of the answer `trackId`; false for no answer or an unknown track.
  bool answerNames(const std::string& trackId, AnswerTexts* track);
  // With OPT_FUZZY: the track the query's ISRC names, when the tracks carrying it are one
  // recording, scored 90 to 100 as the texts agree (70, and identifierDisagrees_, when
  // they name another).
  bool findTrackByIsrcEvidence(const OCRData& query, std::string* result, float* score);
  // The same for the query's UPC and title: the album track the title names, when it
  // names one recording of the album.
  bool findTrackByUpcEvidence(const OCRData& query, std::string* result, float* score);

  // Builds fuzzyIndex from the catalogue on `handle` and reports its size (not in synonym
  // mode); false when the catalogue could not be read.
  bool buildFuzzyIndex(Connection& from);
  // Reads the resident catalogue (and, with OPT_FUZZY, builds the fuzzy index from it) on
  // `from` and swaps it in; reports its size, or why it failed.
  bool loadResidentCatalogue(Connection& from);

  // A sibling: the connection and options of `first`, its shared state.
  explicit TextTrackLookup(const TextTrackLookup* first);
  // An engine not yet connected, for openQuietly.
  struct Unconnected {};
  TextTrackLookup(int option_flags, Unconnected);
  // Writes nothing of its own (OPT_QUIET).
  bool quiet() const { return option_flags & OPT_QUIET; }
  // Settings, connection and table switches, common to both constructors; the process ends
  // with status 10 when the catalogue cannot be reached.
  void setUp();
  // The same, false when the catalogue cannot be reached.
  bool trySetUp();

  bool nameCachesLoaded = false;
  StatementReader statementReader_{nullptr};
  // The names fillTrackInfo read last in this request.
  struct NamedTrack {
    std::string id;
    TrackColumns columns;
    bool found = false;
  } namedTrack_;
  // This request's answer came by an identifier whose track the texts say is another.
  bool identifierDisagrees_ = false;
  ResidentReader residentReader_;
  FuzzySearchScratch fuzzyScratch;
};

#endif  // OSTREV_INCLUDE_TEXTTRACKLOOKUP_H_
