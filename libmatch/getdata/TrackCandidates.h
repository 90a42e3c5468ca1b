// Candidate tracks for a query: the catalogue tracks of the candidate artists and albums
// (or of one exact track name), each scored against the query and offered to the track
// set by its track id. Called on the engine's worker thread with the engine's handle.
#ifndef OSTREV_LIBMATCH_GETDATA_TRACKCANDIDATES_H_
#define OSTREV_LIBMATCH_GETDATA_TRACKCANDIDATES_H_

#include <string>

#include <mysql.h>

#include "OCRData.h"
#include "getdata/CatalogueReader.h"
#include "getdata/DBResultSet.h"
#include "text/FuzzyTextCompare.h"

// Tracks of every artist of `artistSet`, then of every album of `albumSet`, scored by the
// combined title, album and artist scores; a score at or above `boostThreshold` on a track
// with an artist is raised by `boostPercent` of its distance to 100. Only tracks scoring
// at least 41 are offered. Returns the rows read.
int getTracks(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
              DBResultSet& trackSet, DBResultSet& artistSet, DBResultSet& albumSet,
              int boostPercent, int boostThreshold);

// The tracks named exactly `name`, unless more than 500 carry it; rows read. The boost
// arguments have no effect here.
int getTracksByName(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                    DBResultSet& trackSet, DBResultSet& artistSet, DBResultSet& albumSet,
                    int boostPercent, int boostThreshold, std::string name);

// How many catalogue tracks carry `name` (0 when unknown).
int getTrackCounterByName(st_mysql* handle, std::string name);

// The same two through a reader.
int getTracks(CatalogueReader& reader, OCRData* query, DBResultSet& trackSet,
              DBResultSet& artistSet, DBResultSet& albumSet, int boostPercent, int boostThreshold);
int getTracksByName(CatalogueReader& reader, OCRData* query, DBResultSet& trackSet,
                    DBResultSet& artistSet, DBResultSet& albumSet, const std::string& name);

#endif  // OSTREV_LIBMATCH_GETDATA_TRACKCANDIDATES_H_
