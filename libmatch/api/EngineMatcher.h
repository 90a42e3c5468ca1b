// EngineMatcher: a Matcher over a lookup engine that its caller owns and keeps alive, as
// the lookup server's workers own theirs. The Matcher borrows the engine; the thread that
// owns the engine uses it.
#ifndef OSTREV_LIBMATCH_API_ENGINEMATCHER_H_
#define OSTREV_LIBMATCH_API_ENGINEMATCHER_H_

#include <memory>

#include "ostrev/matcher.h"

class TextTrackLookup;

namespace ostrev {

class EngineMatcher {
 public:
  static std::unique_ptr<Matcher> Over(TextTrackLookup* engine);
};

}  // namespace ostrev

#endif  // OSTREV_LIBMATCH_API_ENGINEMATCHER_H_
