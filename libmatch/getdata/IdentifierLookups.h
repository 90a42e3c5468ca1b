// Direct catalogue look-ups: tracks by ISRC, albums by UPC, the tracks of one album, the
// details of a track, album or artist, the ids behind a name, the exact track, and the
// normalized artist name. Each runs one statement on the engine's handle and reads its
// rows to the end; called on the engine's worker thread. Each comes twice: reading through
// any CatalogueReader, and sending the statements on a handle.
#ifndef OSTREV_LIBMATCH_GETDATA_IDENTIFIERLOOKUPS_H_
#define OSTREV_LIBMATCH_GETDATA_IDENTIFIERLOOKUPS_H_

#include <list>
#include <string>
#include <vector>

#include <mysql.h>

#include "OCRData.h"
#include "db/TrackQueries.h"
#include "getdata/CatalogueReader.h"
#include "getdata/TrackRecord.h"
#include "text/FuzzyTextCompare.h"

// Appends the tracks carrying the query's ISRC (12 bytes or more); 1 when any was found.
int getTracksByISRC(st_mysql* handle, OCRData* query, std::vector<trackRecord>* tracks);
// The id of the first track carrying the query's ISRC; 1 when there is one.
int getTrackByISRC(st_mysql* handle, OCRData* query, std::string* trackId);
// Appends id and name of the albums carrying the query's UPC; returns how many.
int getAlbumNamesByUPC(st_mysql* handle, OCRData* query, std::vector<trackRecord>* albums);
// Appends the tracks of the album with that UPC; rows read, -1 without a result.
int getAlbumTracksByUPC(st_mysql* handle, std::string upc, std::list<trackRecord>* tracks);
// Appends the tracks of the albums of that name; rows read, -1 without a result.
int getAlbumTracks(st_mysql* handle, std::string albumName, std::list<trackRecord>* tracks);

// The names and ids of one track; 1 when found (outputs of absent columns unchanged).
int getTrackData(st_mysql* handle, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName);
// The same with the length, label and year.
int getTrackData(st_mysql* handle, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName, int* length, std::string* label, std::string* year);
int get_one_album(st_mysql* handle, std::string albumId, std::string* name, std::string* year,
                  std::string* label);
int get_one_artist(st_mysql* handle, std::string artistId, std::string* name);

// The exact track of the query's artist, album and title: nonzero when its artist matches
// confidently (at least 70); `trackId` may hold the best row's id even when 0.
int get_the_track(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                  std::string* trackId);

bool artistExists(st_mysql* handle, std::string name);
bool albumExists(st_mysql* handle, std::string name);
IdList getArtistIDsByName(st_mysql* handle, std::string name);
IdList getAlbumIDsByName(st_mysql* handle, std::string name);

// The placeholder artists' ids as an SQL list: " ( 12, 40 ) ".
std::string getUnknownArtistIDs(st_mysql* handle);

// A display name of a non-placeholder artist with that normalized name, or "".
std::string normalizedArtistExists(st_mysql* handle, std::string normalizedName);

// The same look-ups through a reader.
int getTracksByISRC(CatalogueReader& reader, OCRData* query, std::vector<trackRecord>* tracks);
int getAlbumNamesByUPC(CatalogueReader& reader, OCRData* query,
                       std::vector<trackRecord>* albums);
int getAlbumTracksByUPC(CatalogueReader& reader, std::string upc, std::list<trackRecord>* tracks);
int getAlbumTracks(CatalogueReader& reader, std::string albumName, std::list<trackRecord>* tracks);
int getTrackData(CatalogueReader& reader, std::string trackId, std::string* trackName,
                 std::string* artistId, std::string* artistName, std::string* albumId,
                 std::string* albumName);
// Copies the present columns of `names` to the outputs; absent ones leave theirs unchanged.
void copyTrackColumns(const TrackColumns& names, std::string* trackName,
                      std::string* artistId, std::string* artistName, std::string* albumId,
                      std::string* albumName);
int get_the_track(CatalogueReader& reader, OCRData* query, std::string* trackId);
bool artistExists(CatalogueReader& reader, std::string name);
bool albumExists(CatalogueReader& reader, std::string name);
IdList getArtistIDsByName(CatalogueReader& reader, std::string name);
IdList getAlbumIDsByName(CatalogueReader& reader, std::string name);
std::string normalizedArtistExists(CatalogueReader& reader, std::string normalizedName);

#endif  // OSTREV_LIBMATCH_GETDATA_IDENTIFIERLOOKUPS_H_
