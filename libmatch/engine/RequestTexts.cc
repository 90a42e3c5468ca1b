#include "engine/RequestTexts.h"

#include "ostrev/limits.h"

OCRData requestQuery(const std::string& artist, const std::string& album,
                     const std::string& title, const std::string& isrc, const std::string& upc) {
  OCRData query;
  query.title = title.substr(0, ostrev::kQueryTextBytes);
  if (query.title.size() < title.size()) query.titleSent = title;
  query.artist = artist.substr(0, ostrev::kQueryTextBytes);
  query.album = album.substr(0, ostrev::kQueryTextBytes);
  query.isrc = isrc;
  query.upc = upc;
  return query;
}
