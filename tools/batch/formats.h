// The three row formats ostrev-batch reads and writes, and how the input's is told: by
// name, by the file name's extension, or from its first line. Pure functions; any thread.
#ifndef OSTREV_TOOLS_BATCH_FORMATS_H_
#define OSTREV_TOOLS_BATCH_FORMATS_H_

#include <string>

enum class Format { kTsv, kCsv, kJsonLines };

// "tsv", "csv" or "jsonl"; false for any other name.
bool formatNamed(const std::string& name, Format* format);
const char* formatName(Format format);

// By the extension of `path`: .tsv, .csv, .jsonl or .ndjson, in any case. False otherwise.
bool formatOfPath(const std::string& path, Format* format);

// A first line opening an object is JSON Lines; one with a tab TSV, else one with a comma
// CSV, else TSV (a single column).
Format sniffFormat(const std::string& firstLine);

#endif  // OSTREV_TOOLS_BATCH_FORMATS_H_
