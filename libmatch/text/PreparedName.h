// PreparedName: one query name made ready to be scored against many catalogue names, as
// FuzzyTextCompare::localAlignmentScore scores them: lowered, decoded and turned into match
// masks once. A plain value the caller owns for one request; its scoring is const, so any
// thread may use a shared one.
#ifndef OSTREV_LIBMATCH_TEXT_PREPAREDNAME_H_
#define OSTREV_LIBMATCH_TEXT_PREPAREDNAME_H_

#include <cstdint>
#include <string_view>

#include "text/CharPrefix.h"

class PreparedName {
 public:
  explicit PreparedName(std::string_view query);

  // localAlignmentScore(query, name), for any bytes. No heap is touched unless the name
  // needs GLib to lower it (invalid UTF-8, U+0130, a capital sigma, a tailored locale).
  int alignmentScore(std::string_view name) const;

  // The same score when it is at least `minimum`, else 0. A name whose length alone keeps
  // it below `minimum` is not compared at all.
  int alignmentScoreAtLeast(std::string_view name, int minimum) const;

  // The characters of the query as it is compared.
  int length() const { return query_.count; }

 private:
  // Bit i stands for position i of the query, which is always the pattern: the distance
  // does not care which side is.
  using Mask = unsigned __int128;
  static_assert(kCompareChars <= 128, "a query must fit in a Mask");
  static constexpr int kWideSlots = 128;  // open addressing for at most kCompareChars keys
  static constexpr uint32_t kFreeSlot = 0xFFFFFFFF;  // above every code point

  int scoreOf(const CharPrefix& name) const;
  int distanceTo(const CharPrefix& name) const;
  Mask maskOf(uint32_t ch) const;
  int wideSlotOf(uint32_t ch) const;

  CharPrefix query_;
  Mask narrowMasks_[256];  // by code point, for those below 256
  uint32_t wideKeys_[kWideSlots];  // the query's other code points
  Mask wideMasks_[kWideSlots];
};

#endif  // OSTREV_LIBMATCH_TEXT_PREPAREDNAME_H_
