// The lookup query of a request's texts: each text cut to the bytes a lookup reads, the
// title as sent kept for the verification. A pure function; any thread.
#ifndef OSTREV_LIBMATCH_ENGINE_REQUESTTEXTS_H_
#define OSTREV_LIBMATCH_ENGINE_REQUESTTEXTS_H_

#include <string>

#include "OCRData.h"

OCRData requestQuery(const std::string& artist, const std::string& album,
                     const std::string& title, const std::string& isrc, const std::string& upc);

#endif  // OSTREV_LIBMATCH_ENGINE_REQUESTTEXTS_H_
