#include "text/CombinedScore.h"

float calculateCombinedScore(float first, float second, float third) {
  float sum = 0;
  sum = static_cast<float>(sum + 0.4 * first);
  sum = static_cast<float>(sum + (second <= 83 ? 0.3 * second : 0.15 * second));
  sum = static_cast<float>(sum + (third <= 83 ? 0.25 * third : 0.45 * third));
  return sum;
}
