#include "text/Utf8Substring.h"

#include <algorithm>

#include "text/Utf8.h"

char* getFirstChar(std::string s) {
  if (s.empty()) return g_strdup("");
  // A character is at most four bytes, and whether they form one does not depend on
  // what follows, so repairing only those gives the same first character.
  const std::string head = validUtf8(s.substr(0, 4));
  const gunichar c = g_utf8_get_char(head.c_str());
  gchar* encoded = g_ucs4_to_utf8(&c, 1, nullptr, nullptr, nullptr);
  return encoded ? encoded : g_strdup("");
}

extern "C" gchar* g_utf8_substring(const gchar* str, glong start_pos, glong end_pos) {
  const std::string text = validUtf8(str ? std::string(str) : std::string());
  const glong length = g_utf8_strlen(text.data(), static_cast<gssize>(text.size()));
  const glong start = std::clamp<glong>(start_pos, 0, length);
  const glong end = end_pos == -1 ? length : std::clamp<glong>(end_pos, start, length);
  const gchar* first = g_utf8_offset_to_pointer(text.c_str(), start);
  const gchar* last = g_utf8_offset_to_pointer(first, end - start);
  return g_strndup(first, static_cast<gsize>(last - first));
}
