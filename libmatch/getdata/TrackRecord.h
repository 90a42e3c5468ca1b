// trackRecord: one catalogue track with its ids and names as the look-ups hand them on.
// A plain value.
#ifndef OSTREV_LIBMATCH_GETDATA_TRACKRECORD_H_
#define OSTREV_LIBMATCH_GETDATA_TRACKRECORD_H_

#include <string>

// Ids are decimal texts; absent columns stay empty.
struct trackRecord {
  std::string trackId;
  std::string artistId;
  std::string albumId;
  std::string trackName;
  std::string artistName;
  std::string albumName;
};

#endif  // OSTREV_LIBMATCH_GETDATA_TRACKRECORD_H_
