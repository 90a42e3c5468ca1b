// The items of a variable-length request's text, "key:value|key:value|...": how both the
// album descriptor and the candidates request read them. Pure functions; any thread.
#ifndef OSTREV_SERVER_DESCRIPTOR_ITEMS_H_
#define OSTREV_SERVER_DESCRIPTOR_ITEMS_H_

#include <string>

// Calls visit(key, value) for every '|'-terminated "key:value" item with a key, in order.
template <typename Visit>
void forEachItem(const std::string& descriptor, Visit visit) {
  size_t position = 0;
  for (;;) {
    size_t bar = descriptor.find('|', position);
    if (bar == std::string::npos) return;
    std::string item = descriptor.substr(position, bar - position);
    position = bar + 1;
    size_t colon = item.find(':');
    if (colon == std::string::npos || colon == 0) continue;
    visit(item.substr(0, colon), item.substr(colon + 1));
  }
}

#endif  // OSTREV_SERVER_DESCRIPTOR_ITEMS_H_
