#include "db/ResidentQueries.h"

#include "db/Query.h"

bool selectNameCollations(st_mysql* handle) {
  return doQuery(handle,
                 "select distinct collation_name from information_schema.columns "
                 "where table_schema = database() and collation_name is not null and "
                 "table_name in ( 'tracks', 'albums', 'artists', 'matchtracks', 'matchalbums', "
                 "'matchartists', 'triplets', 'triplets_disk', 'track_name_counts' )",
                 "selectNameCollations");
}

bool selectAllMatchArtists(st_mysql* handle) {
  return doQuery(handle, "select id, display_name, normalized_name from matchartists",
                 "selectAllMatchArtists");
}

bool selectAllMatchAlbums(st_mysql* handle) {
  return doQuery(handle, "select id, name, artist_id, multiple_artists from matchalbums",
                 "selectAllMatchAlbums");
}

bool selectAllAlbumUpcs(st_mysql* handle) {
  return doQuery(handle, "select id, name, upc from albums", "selectAllAlbumUpcs");
}

bool selectAllArtistNames(st_mysql* handle) {
  return doQuery(handle, "select id, display_name from artists", "selectAllArtistNames");
}

bool selectAllTracks(st_mysql* handle) {
  return doQuery(handle, "select id, name, artist_id, album_id, isrc from tracks",
                 "selectAllTracks");
}

bool selectAllMatchTracks(st_mysql* handle) {
  return doQuery(handle, "select id, name, artist_id, album_id from matchtracks",
                 "selectAllMatchTracks");
}

bool selectMatchTrackAlbumArtists(st_mysql* handle) {
  return doQuery(handle,
                 "select distinct album_id, artist_id from matchtracks "
                 "where album_id is not null and artist_id is not null",
                 "selectMatchTrackAlbumArtists");
}

bool selectAllTriplets(st_mysql* handle, const std::string& table) {
  if (table != "triplets" && table != "triplets_disk") return false;
  return doQuery(handle,
                 "select track_id, track_name, artist_id, artist_name, album_id, album_name, "
                 "isrc, upc, album_multiple_artists, album_artist_name from " + table,
                 "selectAllTriplets");
}

bool selectAllTrackNameCounts(st_mysql* handle) {
  return doQuery(handle, "select track_name, track_count from track_name_counts",
                 "selectAllTrackNameCounts");
}

bool explainStatement(st_mysql* handle, const std::string& statement) {
  return doQuery(handle, "explain " + statement, "explainStatement");
}
