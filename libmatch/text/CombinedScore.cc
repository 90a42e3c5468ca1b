#include "text/CombinedScore.h"

float calculateCombinedScore(float first, float second, float third) {
  float sum = 0;
  sum = static_cast<float>(sum + kFirstWeight * first);
  sum = static_cast<float>(
      sum + (second <= kHighPartialScore ? kSecondWeight : kSecondWeightHigh) * second);
  sum = static_cast<float>(
      sum + (third <= kHighPartialScore ? kThirdWeight : kThirdWeightHigh) * third);
  return sum;
}
