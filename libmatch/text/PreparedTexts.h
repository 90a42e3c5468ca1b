// PreparedTexts: a query text and its two alternatives (an artist and artistAlt1/2, say),
// prepared once to be scored against many candidate names. The alternatives take part only
// when given. A plain value the caller owns for one request; scoring is const, any thread.
#ifndef OSTREV_LIBMATCH_TEXT_PREPAREDTEXTS_H_
#define OSTREV_LIBMATCH_TEXT_PREPAREDTEXTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "text/PreparedName.h"

class PreparedTexts {
 public:
  PreparedTexts(const std::string& first, const std::string& second, const std::string& third);

  // The texts taking part, the first one first.
  const std::vector<PreparedName>& texts() const { return texts_; }

  // The best alignment score of `name` against any of the texts.
  int bestScore(std::string_view name) const;

 private:
  std::vector<PreparedName> texts_;
};

#endif  // OSTREV_LIBMATCH_TEXT_PREPAREDTEXTS_H_
