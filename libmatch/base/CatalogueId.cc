#include "base/CatalogueId.h"

#include <limits>

CatalogueIdNumber catalogueId(const std::string& text) {
  if (text.empty()) return 0;
  CatalogueIdNumber value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    const int digit = c - '0';
    if (value > (std::numeric_limits<CatalogueIdNumber>::max() - digit) / 10) return 0;
    value = value * 10 + digit;
  }
  return value;
}

std::string catalogueIdText(CatalogueIdNumber id) { return std::to_string(id); }
