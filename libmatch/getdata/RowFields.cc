#include "getdata/RowFields.h"

#include <climits>
#include <cmath>
#include <cstdlib>

int fieldNumber(const char* field) {
  if (field == nullptr) return 0;
  double value = strtod(field, nullptr);
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}
