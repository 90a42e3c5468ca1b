#include "tools/batch/formats.h"

#include <strings.h>

namespace {

struct NamedFormat {
  const char* name;
  Format format;
};

constexpr NamedFormat kNames[] = {
    {"tsv", Format::kTsv}, {"csv", Format::kCsv}, {"jsonl", Format::kJsonLines}};

constexpr NamedFormat kExtensions[] = {{".tsv", Format::kTsv},
                                       {".csv", Format::kCsv},
                                       {".jsonl", Format::kJsonLines},
                                       {".ndjson", Format::kJsonLines}};

}  // namespace

bool formatNamed(const std::string& name, Format* format) {
  for (const NamedFormat& named : kNames) {
    if (name == named.name) {
      *format = named.format;
      return true;
    }
  }
  return false;
}

const char* formatName(Format format) {
  for (const NamedFormat& named : kNames) {
    if (named.format == format) return named.name;
  }
  return "?";
}

bool formatOfPath(const std::string& path, Format* format) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  for (const NamedFormat& extension : kExtensions) {
    if (strcasecmp(path.c_str() + dot, extension.name) == 0) {
      *format = extension.format;
      return true;
    }
  }
  return false;
}

Format sniffFormat(const std::string& firstLine) {
  size_t start = firstLine.find_first_not_of(" \t\r");
  if (start != std::string::npos && firstLine[start] == '{') return Format::kJsonLines;
  if (firstLine.find('\t') != std::string::npos) return Format::kTsv;
  if (firstLine.find(',') != std::string::npos) return Format::kCsv;
  return Format::kTsv;
}
