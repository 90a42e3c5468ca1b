// Candidate artist and album names for a query, each scored against the query's artist
// (or album) texts and offered to the caller's result set. The names come from the two
// in-memory name caches, from a scan of the catalogue, or from a narrower statement.
// Called on the engine's worker thread; the caches are loaded before lookups begin and
// only read while they run.
#ifndef OSTREV_LIBMATCH_GETDATA_NAMECANDIDATES_H_
#define OSTREV_LIBMATCH_GETDATA_NAMECANDIDATES_H_

#include <list>
#include <memory>
#include <string>

#include <mysql.h>

#include "OCRData.h"
#include "getdata/CatalogueReader.h"
#include "getdata/DBResultSet.h"
#include "text/FuzzyTextCompare.h"

// Every catalogue artist (album) name, in the order the catalogue gave them; absent until
// loaded.
extern std::unique_ptr<std::list<std::string>> artistList;
extern std::unique_ptr<std::list<std::string>> albumList;

// Replace the cache with the catalogue's distinct names; rows read (0 without a result).
int loadArtists(st_mysql* handle);
int loadAlbums(st_mysql* handle);

// Score every cached name; the number of names visited (0 before loading).
int getArtists(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query, DBResultSet* set,
               bool fullScan);
int getAlbums(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query, DBResultSet* set,
              bool fullScan);

// The same from a scan of the catalogue; rows read. Albums are narrowed to those starting
// with the query album's first character unless `fullScan` or the query has a second
// album text.
int getArtistsHeap(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                   DBResultSet* set, bool fullScan);
int getAlbumsHeap(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query, DBResultSet* set,
                  bool fullScan);

// Artists found by a full-text search for the query's artist; rows read.
int getFullTextArtist(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                      DBResultSet* set);

// Artists whose name starts with `firstChar` (one UTF-8 character); rows read.
int getArtistsByFirstLetter(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                            DBResultSet* set, const char* firstChar);

// Artists of the albums named like the query's album that score at least 70 against the
// query's artist; rows read.
int getArtistsFromAlbum(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                        DBResultSet* set);
int getArtistsFromAlbum(CatalogueReader& reader, OCRData* query, DBResultSet* set);

#endif  // OSTREV_LIBMATCH_GETDATA_NAMECANDIDATES_H_
