#include "text/Utf8.h"

std::string validUtf8(const std::string& text) {
  if (g_utf8_validate_len(text.data(), text.size(), nullptr)) return text;
  GCharPtr repaired(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
  return std::string(repaired.get());
}

bool isPlainAscii(const std::string& text) {
  for (unsigned char byte : text) {
    if (byte == 0 || byte >= 0x80) return false;
  }
  return true;
}
