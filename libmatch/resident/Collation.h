// Collation: when two names are equal as the catalogue's collation compares them (case and
// accents folded, trailing blanks ignored, ...), computed without the database. What each
// character weighs is learned from the server once; the server is never guessed. Built
// once, then only read: any thread.
#ifndef OSTREV_LIBMATCH_RESIDENT_COLLATION_H_
#define OSTREV_LIBMATCH_RESIDENT_COLLATION_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <mysql.h>

class Collation {
 public:
  // The collation of `table`.`column` in the handle's current database, learned from its
  // server; null, with `*error` saying why, when that cannot be done.
  static std::unique_ptr<Collation> ofColumn(st_mysql* handle, const std::string& table,
                                             const std::string& column, std::string* error);
  // The collation named `name` (letters, digits and _), learned from the server.
  static std::unique_ptr<Collation> learn(st_mysql* handle, const std::string& name,
                                          std::string* error);

  const std::string& name() const { return name_; }

  // Bytes that are equal for two names exactly when the collation finds the names equal.
  // A name that is not valid UTF-8, or holds a NUL byte, equals no other name: its key is
  // its own bytes behind a mark no valid name's key starts with.
  std::string key(std::string_view name) const;

  // Orders two keys as the collation orders their names: negative, 0 or positive. Where
  // the collation pads, the shorter of two keys of valid names goes on as padWeights().
  int compareKeys(std::string_view a, std::string_view b) const;
  // The weights of a blank where the collation pads with blanks, else empty.
  std::string_view padWeights() const { return padSpace_ ? weights(' ') : std::string_view(); }
  // Whether `key` is a valid name's, which the padding applies to.
  static bool padsKey(std::string_view key) { return !key.empty() && key[0] == kValidKeyMark; }

 private:
  Collation() = default;

  // The weights of code point `c`.
  std::string_view weights(uint32_t c) const;
  // Whether `weights` are those of one or more blanks.
  bool weighsAsSpaces(std::string_view weights) const;

  static constexpr char kValidKeyMark = '\x01';

  std::string name_;
  bool padSpace_ = false;
  // By code point: (offset << 8 | length) of its weights in `pool_`.
  std::vector<uint32_t> table_;
  std::string pool_;
};

#endif  // OSTREV_LIBMATCH_RESIDENT_COLLATION_H_
