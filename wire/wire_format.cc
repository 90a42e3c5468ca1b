#include "wire/wire_format.h"

#include <cctype>
#include <cstring>

std::string fieldText(const char* field, size_t width) {
  const void* nul = memchr(field, '\0', width);
  size_t length = nul != nullptr ? static_cast<const char*>(nul) - field : width;
  return std::string(field, length);
}

void setQueryField(char* field, size_t width, const std::string& text) {
  size_t length = text.size() < width - 1 ? text.size() : width - 1;
  memcpy(field, text.data(), length);
  memset(field + length, 0, width - length);
}

void setResultName(char (&field)[200], const std::string& name) {
  size_t length = name.size() < sizeof(field) ? name.size() : sizeof(field);
  memcpy(field, name.data(), length);
  memset(field + length, 0, sizeof(field) - length);
  field[199] = '\0';
}

int32_t wireId(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  uint32_t value = 0;  // wraps: only the low 32 bits survive
  for (; i < text.size() && isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

long variableLength(const char* header) {
  const char* digits = header + sizeof(kVariableName);
  const char* end = header + kVariableHeaderSize;
  if (!isdigit(static_cast<unsigned char>(*digits))) return -1;
  long length = 0;
  for (const char* p = digits; p < end && isdigit(static_cast<unsigned char>(*p)); ++p) {
    length = length * 10 + (*p - '0');
  }
  return length;
}
