// TextTrackLookup: the lookup engine, the one way into libmatch. It owns the catalogue
// connection and the tuning of the lookups. Built once (on the server's main thread) and
// then used by one thread at a time; it takes no locks.
#ifndef OSTREV_INCLUDE_TEXTTRACKLOOKUP_H_
#define OSTREV_INCLUDE_TEXTTRACKLOOKUP_H_

#include <string>

#include "OCRData.h"
#include "db/Connection.h"

// Bits of the option word the server builds from its command line.
constexpr int OPT_DEBUG = 0x01;
constexpr int OPT_SYNONYM = 0x02;
constexpr int OPT_METRICS = 0x04;
constexpr int OPT_ONEREQUEST = 0x08;
constexpr int OPT_TRIPLETS = 0x10;
constexpr int OPT_TRIPLETSDISK = 0x20;
constexpr int OPT_NORMALIZETRIPLETS = 0x40;
constexpr int OPT_DEBUGQUERIES = 0x80;

// The catalogue host: "localhost" unless the environment variable OSTREV_DB_HOST names
// another.
std::string defaultDatabaseHost();

class TextTrackLookup {
 public:
  // Connects to the catalogue; when that fails the process ends with status 10. The three
  // strings are read, not kept; a null pointer counts as an empty string.
  TextTrackLookup(int option_flags, const std::string* user, const std::string* password,
                  const std::string* dbName);

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
  int option_flags;
};

#endif  // OSTREV_INCLUDE_TEXTTRACKLOOKUP_H_
