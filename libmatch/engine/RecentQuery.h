// recentQuery: one entry of the engine's cache of confident answers, a full copy of the
// query with the track accepted for it and its score. A plain value owned by the cache.
#ifndef OSTREV_LIBMATCH_ENGINE_RECENTQUERY_H_
#define OSTREV_LIBMATCH_ENGINE_RECENTQUERY_H_

#include <string>

#include "OCRData.h"

struct recentQuery {
  OCRData queryData;
  std::string trackId;
  float trackScore = 0;
};

#endif  // OSTREV_LIBMATCH_ENGINE_RECENTQUERY_H_
