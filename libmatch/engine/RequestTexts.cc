#include "engine/RequestTexts.h"

#include "text/Utf8Prefix.h"

OCRData requestQuery(const std::string& artist, const std::string& album,
                     const std::string& title, const std::string& isrc, const std::string& upc) {
  OCRData query;
  query.title = lookupText(title);
  if (query.title.size() < title.size()) query.titleSent = title;
  query.artist = lookupText(artist);
  query.album = lookupText(album);
  query.isrc = isrc;
  query.upc = upc;
  return query;
}
