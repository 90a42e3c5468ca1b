#include "resident/Collation.h"

#include <glib.h>

#include <algorithm>
#include <cstdlib>

#include "db/Query.h"
#include "db/QueryResult.h"

namespace {

constexpr uint32_t kLastCodePoint = 0x10FFFF;
constexpr uint32_t kSurrogates = 0xE000 - 0xD800;
// An entry holds an offset of 24 bits and a length of 8.
constexpr size_t kMostWeightBytes = 0xFF;
constexpr size_t kMostPoolBytes = size_t{1} << 24;

// Keys of valid names and keys of invalid ones never meet.
constexpr char kInvalidMark = '\x00';

bool isSqlName(const std::string& text) {
  if (text.empty() || text.size() > 64) return false;
  for (char c : text) {
    if (!g_ascii_isalnum(c) && c != '_') return false;
  }
  return true;
}

// The first column of the single row the statement returns, or false.
bool singleValue(st_mysql* handle, const std::string& sql, std::string* value) {
  if (!doQuery(handle, sql, "Collation::learn")) return false;
  QueryResult rows(handle);
  MYSQL_ROW row = rows.next();
  if (row == nullptr || row[0] == nullptr) return false;
  *value = row[0];
  return true;
}

}  // namespace

std::unique_ptr<Collation> Collation::ofColumn(st_mysql* handle, const std::string& table,
                                               const std::string& column, std::string* error) {
  if (!isSqlName(table) || !isSqlName(column)) {
    *error = "not a table and column name: " + table + "." + column;
    return nullptr;
  }
  std::string name;
  if (!singleValue(handle,
                   "select collation_name from information_schema.columns "
                   "where table_schema = database() and table_name = '" + table +
                       "' and column_name = '" + column + "'",
                   &name)) {
    *error = "no collation known for " + table + "." + column + ": " + mysql_error(handle);
    return nullptr;
  }
  return learn(handle, name, error);
}

std::unique_ptr<Collation> Collation::learn(st_mysql* handle, const std::string& name,
                                            std::string* error) {
  if (!isSqlName(name)) {
    *error = "not a collation name: " + name;
    return nullptr;
  }
  std::unique_ptr<Collation> collation(new Collation());
  collation->name_ = name;
  std::string pads;
  if (!singleValue(handle, "select 'a' = 'a ' collate " + name, &pads)) {
    *error = "collation " + name + " unknown to the server: " + mysql_error(handle);
    return nullptr;
  }
  collation->padSpace_ = pads == "1";

  // Every code point but the surrogates, as the server weighs it alone.
  const std::string sql =
      "select seq, weight_string(convert(char(seq using utf32) using utf8mb4) collate " + name +
      ") from seq_0_to_1114111 where seq < 55296 or seq > 57343";
  if (!doQuery(handle, sql, "Collation::learn")) {
    *error = std::string("weights of ") + name + " not read: " + mysql_error(handle);
    return nullptr;
  }
  collation->table_.assign(kLastCodePoint + 1, 0);
  size_t rowsRead = 0;
  {
    QueryResult rows(handle);
    uint32_t lastEntry = 0;
    while (MYSQL_ROW row = rows.next()) {
      const unsigned long* lengths = rows.lengths();
      if (row[0] == nullptr || row[1] == nullptr) continue;
      const unsigned long c = strtoul(row[0], nullptr, 10);
      const std::string_view weights(row[1], lengths[1]);
      if (c > kLastCodePoint || weights.size() > kMostWeightBytes) continue;
      ++rowsRead;
      // Runs of code points that weigh the same (most of the planes beyond the first)
      // share one copy.
      const std::string_view pool(collation->pool_);
      if (weights != pool.substr(lastEntry >> 8, lastEntry & 0xFF)) {
        if (pool.size() >= kMostPoolBytes) break;
        lastEntry = static_cast<uint32_t>(pool.size() << 8 | weights.size());
        collation->pool_.append(weights);
      }
      collation->table_[c] = lastEntry;
    }
  }
  if (rowsRead != kLastCodePoint + 1 - kSurrogates) {
    *error = std::string("weights of ") + name + " incomplete: " + std::to_string(rowsRead) +
             " code points read";
    return nullptr;
  }
  return collation;
}

std::string_view Collation::weights(uint32_t c) const {
  const uint32_t entry = table_[c];
  return std::string_view(pool_).substr(entry >> 8, entry & 0xFF);
}

bool Collation::weighsAsSpaces(std::string_view weights) const {
  const std::string_view space = this->weights(' ');
  if (weights.empty() || space.empty() || weights.size() % space.size() != 0) return false;
  for (size_t i = 0; i < weights.size(); i += space.size()) {
    if (weights.substr(i, space.size()) != space) return false;
  }
  return true;
}

std::string Collation::key(std::string_view name) const {
  if (name.find('\0') != std::string_view::npos ||
      !g_utf8_validate_len(name.data(), static_cast<gssize>(name.size()), nullptr)) {
    std::string key(1, kInvalidMark);
    key.append(name);
    return key;
  }
  std::string key(1, kValidKeyMark);
  key.reserve(name.size() * 2 + 1);
  // Where the collation pads with spaces, trailing characters that weigh as spaces (the
  // blank and its kin) count for nothing.
  size_t kept = key.size();
  const char* p = name.data();
  const char* end = p + name.size();
  while (p < end) {
    const std::string_view weights = this->weights(g_utf8_get_char(p));
    key.append(weights);
    if (!padSpace_ || (!weights.empty() && !weighsAsSpaces(weights))) kept = key.size();
    p = g_utf8_next_char(p);
  }
  key.resize(kept);
  return key;
}

int Collation::compareKeys(std::string_view a, std::string_view b) const {
  const size_t common = std::min(a.size(), b.size());
  const int order = a.compare(0, common, b.substr(0, common));
  if (order != 0 || a.size() == b.size()) return order < 0 ? -1 : order > 0 ? 1 : 0;
  const bool aLonger = a.size() > b.size();
  const std::string_view rest = (aLonger ? a : b).substr(common);
  const std::string_view space = padWeights();
  if (!padsKey(a) || space.empty()) return aLonger ? 1 : -1;
  // The shorter name goes on as spaces.
  for (size_t i = 0; i < rest.size(); ++i) {
    const unsigned char r = rest[i];
    const unsigned char pad = space[i % space.size()];
    if (r != pad) return (r > pad) == aLonger ? 1 : -1;
  }
  return 0;
}
