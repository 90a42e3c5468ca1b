// OCRData: the query record of one lookup (what the caller could read about a recording)
// and the fields an album-tracks lookup writes its answer into. A plain value; copies are
// independent.
#ifndef OSTREV_INCLUDE_OCRDATA_H_
#define OSTREV_INCLUDE_OCRDATA_H_

#include <string>

struct OCRData {
  // The query.
  std::string title;
  std::string titleSent;  // the title before the lookup's cut, when it was cut; what the
                          // fuzzy mode's verification reads
  std::string artist;
  std::string artistAlt1;  // further artist texts, compared too when non-empty
  std::string artistAlt2;
  std::string artistAlt3;  // carried along, read by no lookup
  std::string album;
  std::string albumAlt1;  // further album texts, compared too when non-empty
  std::string albumAlt2;
  std::string albumAlt3;  // carried along, read by no lookup
  bool unknownArtist = false;  // `artist` is a placeholder such as "Various Artists"
  std::string isrc;
  std::string upc;

  // The answer of an album-tracks lookup.
  std::string mediaId;
  std::string mediaName;
  std::string artistId;
  std::string artistName;
  std::string albumId;
  std::string albumName;
  float albumScore = 0;
  float spareScore = 0;
  float mediaScore = 0;
};

#endif  // OSTREV_INCLUDE_OCRDATA_H_
