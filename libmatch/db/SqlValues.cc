#include "db/SqlValues.h"

namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool allDigits(const std::string& text, size_t from, size_t maxDigits) {
  size_t digits = text.size() - from;
  if (digits == 0 || digits > maxDigits) return false;
  for (size_t i = from; i < text.size(); ++i) {
    if (!isDigit(text[i])) return false;
  }
  return true;
}

}  // namespace

bool isIdText(const std::string& text) {
  return allDigits(text, !text.empty() && text[0] == '-' ? 1 : 0, 20);
}

bool isIdListText(const std::string& text) {
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    std::string item = text.substr(start, comma == std::string::npos ? std::string::npos
                                                                      : comma - start);
    size_t first = item.find_first_not_of(' ');
    size_t last = item.find_last_not_of(' ');
    if (first == std::string::npos || !isIdText(item.substr(first, last - first + 1))) {
      return false;
    }
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool isUpcText(const std::string& text) { return allDigits(text, 0, 20); }

std::string joinedIds(const IdList* ids, const char* separator, const char* whenEmpty) {
  std::string joined;
  if (ids != nullptr) {
    for (const auto& id : *ids) {
      if (id == nullptr) continue;
      if (!joined.empty()) joined += separator;
      joined += std::to_string(*id);
    }
  }
  return joined.empty() ? whenEmpty : joined;
}

bool joinedIdTexts(const std::string* ids, int count, std::string* joined) {
  joined->clear();
  for (int i = 0; i < count; ++i) {
    if (!isIdText(ids[i])) return false;
    if (i > 0) *joined += ", ";
    *joined += ids[i];
  }
  return true;
}
