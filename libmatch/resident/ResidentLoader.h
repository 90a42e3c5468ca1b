// ResidentLoader: reads the catalogue whole, one streamed pass per table on a handle of
// its own, into a ResidentCatalogue, and builds the fuzzy index from the same rows and
// names. Runs on the thread that owns the handle; what it returns is then shared.
#ifndef OSTREV_LIBMATCH_RESIDENT_RESIDENTLOADER_H_
#define OSTREV_LIBMATCH_RESIDENT_RESIDENTLOADER_H_

#include <memory>
#include <string>
#include <vector>

#include <mysql.h>

#include "fuzzy/FuzzyTrackIndex.h"
#include "resident/ResidentCatalogue.h"

class ResidentLoader {
 public:
  // The catalogue as the track statements of `tables` read it; null, with `*error`
  // saying why, when it could not be read.
  static std::unique_ptr<const ResidentCatalogue> load(st_mysql* handle, TrackTables tables,
                                                       std::string* error);
  // The fuzzy index of the tracks of `catalogue`, with the names the index statement
  // would give: no second pass over the database.
  static std::unique_ptr<const FuzzyTrackIndex> fuzzyIndex(const ResidentCatalogue& catalogue);

 private:
  // The positions of the match tracks in the order the index statement reads them.
  static std::vector<uint32_t> indexScanOrder(const ResidentCatalogue& catalogue);

  ResidentLoader(st_mysql* handle, ResidentCatalogue* catalogue, std::string* error)
      : handle_(handle), catalogue_(catalogue), error_(error) {}

  bool readMatchArtists();
  bool readMatchAlbums();
  bool readAlbums();
  bool readTrackNameCounts();
  bool readArtists();
  bool readTracks();
  bool readMatchTracks();
  bool readTriplets(const std::string& table);
  bool readAlbumArtists();

  // Streams the rows of the statement `sent` just sent to `row`; false, with the error
  // recorded, when it was refused or reading failed.
  template <typename Row>
  bool readRows(bool sent, const char* what, unsigned fields, Row row);

  void indexMatchTracks();
  void albumArtistsFromMatchTracks();
  void indexTriplets();
  // Asks the server how it would read the tracks of each class of large artists, and
  // keeps the order of a plan other than the artist index's.
  void followArtistPlans();
  // The first table and access type of the server's plan for `statement`; false when
  // it would not say.
  bool planStart(const std::string& statement, std::string* table, std::string* type,
                 std::string* key);
  // Asks the server which scan it would read the match tracks whole by.
  void learnIndexScan();

  st_mysql* handle_;
  ResidentCatalogue* catalogue_;
  // The collation order of the match tracks' names, by name id (joined tables only).
  std::vector<uint32_t> trackNameRanks_;
  std::string* error_;
};

#endif  // OSTREV_LIBMATCH_RESIDENT_RESIDENTLOADER_H_
