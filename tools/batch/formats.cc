#include "tools/batch/formats.h"

#include <strings.h>

namespace {

constexpr Format kFormats[] = {Format::kTsv, Format::kCsv, Format::kJsonLines};

}  // namespace

bool formatNamed(const std::string& name, Format* format) {
  for (Format named : kFormats) {
    if (name == formatName(named)) {
      *format = named;
      return true;
    }
  }
  return false;
}

const char* formatName(Format format) {
  constexpr const char* kNames[] = {"tsv", "csv", "jsonl"};  // in the order of Format
  return kNames[static_cast<int>(format)];
}

bool formatOfPath(const std::string& path, Format* format) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  const char* extension = path.c_str() + dot + 1;
  if (strcasecmp(extension, "ndjson") == 0) extension = "jsonl";
  for (Format named : kFormats) {
    if (strcasecmp(extension, formatName(named)) == 0) {
      *format = named;
      return true;
    }
  }
  return false;
}

Format sniffFormat(const std::string& firstLine) {
  const size_t start = firstLine.find_first_not_of(" \t\r");
  if (start != std::string::npos && firstLine[start] == '{') return Format::kJsonLines;
  if (firstLine.find('\t') != std::string::npos) return Format::kTsv;
  if (firstLine.find(',') != std::string::npos) return Format::kCsv;
  return Format::kTsv;
}
