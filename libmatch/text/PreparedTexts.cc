#include "text/PreparedTexts.h"

#include <algorithm>

PreparedTexts::PreparedTexts(const std::string& first, const std::string& second,
                             const std::string& third) {
  texts_.reserve(3);
  texts_.emplace_back(first);
  if (!second.empty()) texts_.emplace_back(second);
  if (!third.empty()) texts_.emplace_back(third);
}

int PreparedTexts::bestScore(std::string_view name) const {
  int best = 0;  // no score is below 0
  for (const PreparedName& text : texts_) best = std::max(best, text.alignmentScore(name));
  return best;
}
