#include "text/LowerCase.h"

#include "text/Utf8.h"

namespace {

// Lower-casing ASCII is only A-Z and decomposition leaves it as it is, so plain ASCII,
// most of the catalogue, needs no GLib call or table look-up.
std::string asciiLower(const std::string& text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

GCharPtr glibLower(const std::string& valid) {
  return GCharPtr(g_utf8_strdown(valid.data(), static_cast<gssize>(valid.size())));
}

}  // namespace

std::string lowerCase(const std::string& text) {
  if (isPlainAscii(text)) return asciiLower(text);
  return glibLower(validUtf8(text)).get();
}

std::string lowerDecomposed(const std::string& text) {
  if (isPlainAscii(text)) return asciiLower(text);
  GCharPtr lower = glibLower(validUtf8(text));
  GCharPtr decomposed(g_utf8_normalize(lower.get(), -1, G_NORMALIZE_DEFAULT));
  // GLib returns null only for invalid input, which was repaired above.
  return decomposed ? decomposed.get() : "";
}
