#include "db/TrackQueries.h"

#include <iostream>

#include "db/Query.h"
#include "db/SqlValues.h"

bool selectTrackByISRC(st_mysql* handle, std::string isrc) {
  std::string isrcEscaped = escapeString(handle, isrc);
  return doQuery(handle, "select id from tracks where isrc = '" + isrcEscaped + "'",
                 "selectTrackByISRC");
}

bool selectTracksByISRC(st_mysql* handle, std::string isrc) {
  std::string isrcEscaped = escapeString(handle, isrc);
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  artist_id, "
            "  album_id, "
            "  track_name, "
            "  artist_name, "
            "  album_name "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  isrc = '" + isrcEscaped + "'";
  } else {
    query = "select "
            "  tr.id, "
            "  tr.artist_id, "
            "  tr.album_id, "
            "  tr.name, "
            "  ar.display_name, "
            "  al.name "
            "from "
            "  tracks as tr "
            "  left outer join matchartists as ar "
            "    on tr.artist_id = ar.id "
            "  left outer join matchalbums  as al "
            "    on tr.album_id  = al.id "
            "where "
            "  isrc = '" + isrcEscaped + "'";
  }
  return doQuery(handle, query, "selectTracksByISRC");
}

bool selectTrackByName(st_mysql* handle, std::string name) {
  std::string nameEscaped = escapeString(handle, name);
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  track_name, "
            "  album_name, "
            "  artist_name "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  track_name = '" + nameEscaped + "' ";
  } else {
    query = "select "
            "  matchtracks.id, "
            "  matchtracks.name, "
            "  matchalbums.name as album_name, "
            "  matchartists.display_name as artist_name "
            "from "
            "  matchtracks "
            "  left join matchartists "
            "    on matchtracks.artist_id = matchartists.id "
            "  left join matchalbums "
            "    on matchtracks.album_id  = matchalbums.id "
            "where "
            "  matchtracks.name = '" + nameEscaped + "' ";
  }
  return doQuery(handle, query, "selectTrackByName");
}

bool selectExactTrack(st_mysql* handle, std::string artist, std::string album,
                      std::string track) {
  std::string albumEscaped = escapeString(handle, album);
  std::string artistEscaped = escapeString(handle, artist);
  std::string trackEscaped = escapeString(handle, track);
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  artist_name "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  album_name = '" + albumEscaped + "' and "
            "  ( artist_name = '" + artistEscaped + "' or ( album_multiple_artists = 0 and "
            "album_artist_name = '" + artistEscaped + "' ) ) and "
            "  track_name = '" + trackEscaped + "' "
            "order by "
            "  track_id desc";
  } else {
    query = "select distinct "
            "  matchtracks.id, "
            "  matchartists.display_name "
            "from "
            "  matchtracks "
            "  join matchartists "
            "    on matchtracks.artist_id = matchartists.id "
            "  join matchalbums "
            "    on matchtracks.album_id = matchalbums.id "
            "  left outer join matchartists al_ar "
            "    on al_ar.id = matchalbums.artist_id and "
            "       matchalbums.multiple_artists = 0 "
            "where "
            "  matchalbums.name = '" + albumEscaped + "' and "
            "  ( matchartists.display_name = '" + artistEscaped + "' or al_ar.display_name = '" +
            artistEscaped + "' ) and "
            "  matchtracks.name = '" + trackEscaped + "' "
            "order by "
            "  matchtracks.id desc";
  }
  return doQuery(handle, query, "selectExactTrack");
}

bool checkedTrackId(std::string* id, const char* caller) {
  if (id->empty()) {
    std::cerr << "Query::" << caller << ", track_id is empty.\n";
    *id = "0";
  }
  return isIdText(*id);
}

bool selectMinimalTrackByID(st_mysql* handle, std::string id) {
  if (!checkedTrackId(&id, "selectMinimalTrackByID")) return false;
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_name, "
            "  artist_id, "
            "  artist_name, "
            "  album_id, "
            "  album_name "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  track_id = " + id;
  } else {
    query = "select "
            "  tracks.name, "
            "  tracks.artist_id, "
            "  artists.display_name, "
            "  tracks.album_id, "
            "  albums.name "
            "from "
            "  tracks "
            "  join albums "
            "    on tracks.album_id = albums.id "
            "  join artists "
            "    on tracks.artist_id = artists.id "
            "where "
            "  tracks.id = " + id;
  }
  return doQuery(handle, query, "selectMinimalTrackByID");
}

bool selectTrackByID(st_mysql* handle, std::string id) {
  if (!checkedTrackId(&id, "selectTrackByID")) return false;
  std::string query =
      "select "
      "  tracks.name, "
      "  tracks.artist_id, "
      "  artists.display_name, "
      "  tracks.album_id, "
      "  albums.name, "
      "  tracks.length, "
      "  albums.label, "
      "  albums.year "
      "from "
      "  tracks, albums, artists "
      "where "
      "  tracks.album_id = albums.id and "
      "  tracks.artist_id = artists.id and "
      "  tracks.id = " + id;
  return doQuery(handle, query, "selectTrackByID");
}

bool selectTracksByAlbumIDs(st_mysql* handle, const IdList* ids) {
  std::string idList = joinedIds(ids, ", ", "null");
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  track_name, "
            "  artist_name, "
            "  artist_id, "
            "  album_id "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  album_id in ( " + idList + " ) ";
  } else {
    query = "select "
            "  matchtracks.id, "
            "  matchtracks.name, "
            "  matchartists.display_name, "
            "  matchartists.id, "
            "  matchtracks.album_id "
            "from "
            "  matchtracks "
            "    join matchartists "
            "      on matchtracks.artist_id = matchartists.id "
            "where "
            "  matchtracks.album_id in ( " + idList + " ) ";
  }
  return doQuery(handle, query, "selectTracksByAlbumIDs");
}

std::string tracksByArtistIdsStatement(const IdList* ids) {
  std::string idList = joinedIds(ids, " , ", "NULL");
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  tr.track_id, "
            "  tr.track_name, "
            "  tr.album_name, "
            "  tr.artist_id  "
            "from "
            "  " + getTripletsTable() + " tr "
            "where "
            "  tr.artist_id in ( " + idList + " ) ";
  } else {
    // The same select twice; "union distinct" drops repeated rows.
    query = "select "
            "  t1.id, "
            "  t1.name, "
            "  al1.name, "
            "  t1.artist_id "
            "from "
            "  matchtracks t1 "
            "  join matchalbums al1 "
            "    on t1.album_id = al1.id "
            "where "
            "  t1.artist_id in ( " + idList + " ) "
            "union distinct "
            "select "
            "  t2.id, "
            "  t2.name, "
            "  al2.name, "
            "  t2.artist_id "
            "from "
            "  matchtracks t2 "
            "  join matchalbums al2 "
            "    on t2.album_id = al2.id "
            "where "
            "  t2.artist_id in ( " + idList + " ) ";
  }
  return query;
}

bool selectTracksByArtistIDs(st_mysql* handle, const IdList* ids) {
  return doQuery(handle, tracksByArtistIdsStatement(ids), "Query::selectTracksByArtistIDs");
}

bool selectTracksByAlbumUPC(st_mysql* handle, std::string upc) {
  std::string upcEscaped = escapeString(handle, upc);
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  track_name, "
            "  artist_id, "
            "  artist_name, "
            "  album_id, "
            "  album_name "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  upc = '" + upcEscaped + "'";
  } else {
    query = "select "
            "  matchtracks.id, "
            "  matchtracks.name, "
            "  matchartists.id, "
            "  matchartists.display_name, "
            "  albums.id, "
            "  albums.name "
            "from "
            "  albums "
            "    join matchtracks "
            "      on albums.id  = matchtracks.album_id "
            "    join matchartists "
            "      on matchartists.id = matchtracks.artist_id "
            "where "
            "  albums.upc = '" + upcEscaped + "'";
  }
  return doQuery(handle, query, "selectTracksByAlbumUPC");
}

bool selectTracksByAlbumName(st_mysql* handle, std::string name) {
  std::string nameEscaped = escapeString(handle, name);
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  track_name, "
            "  artist_id, "
            "  artist_name, "
            "  album_id "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  album_name = '" + nameEscaped + "'";
  } else {
    query = "select "
            "  matchtracks.id, "
            "  matchtracks.name, "
            "  matchartists.id, "
            "  matchartists.display_name, "
            "  matchalbums.id "
            "from "
            "  matchalbums "
            "    join matchtracks "
            "      on matchalbums.id  = matchtracks.album_id "
            "    join matchartists "
            "      on matchartists.id = matchtracks.artist_id "
            "where "
            "  matchalbums.name = '" + nameEscaped + "'";
  }
  return doQuery(handle, query, "selectTracksByAlbumName");
}

bool selectTracksByArtistAlbum(st_mysql* handle, const std::string* artistIds, int artistCount,
                               const std::string* albumIds, int albumCount) {
  std::string condition;
  if (artistCount > 0) {
    std::string ids;
    if (!joinedIdTexts(artistIds, artistCount, &ids)) return false;
    condition += "artist_id in ( " + ids + " ) ";
  }
  if (albumCount > 0) {
    std::string ids;
    if (!joinedIdTexts(albumIds, albumCount, &ids)) return false;
    if (artistCount > 0) condition += " or ";
    condition += "album_id in ( " + ids + " ) ";
  }
  std::string query =
      "select "
      "  id, "
      "  name "
      "from "
      "  matchtracks "
      "where ( " + condition + " )";
  return doQuery(handle, query, "selectTracksByArtistAlbum");
}

bool selectArtistAlbumByIdList(st_mysql* handle, std::string idList) {
  if (!isIdListText(idList)) return false;
  std::string query;
  if (getUseTripletsTable()) {
    query = "select "
            "  track_id, "
            "  artist_id, "
            "  album_id, "
            "  track_name, "
            "  artist_name, "
            "  album_name "
            "from "
            "  " + getTripletsTable() + " "
            "where "
            "  track_id in ( " + idList + " )";
  } else {
    query = "select "
            "  tr.id, "
            "  tr.artist_id, "
            "  tr.album_id, "
            "  tr.name, "
            "  ar.name, "
            "  al.name "
            "from "
            "  tracks as tr "
            "  left outer join artists as ar "
            "    on ar.id = tr.artist_id "
            "  left outer join albums  as al "
            "    on al.id = tr.album_id "
            "where "
            "  tr.id in ( " + idList + " )";
  }
  return doQuery(handle, query, "selectArtistAlbumByIdList");
}
