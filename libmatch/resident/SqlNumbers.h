// Numbers read from text as the catalogue server reads them, so that a look-up in memory
// matches the rows a statement would. Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_RESIDENT_SQLNUMBERS_H_
#define OSTREV_LIBMATCH_RESIDENT_SQLNUMBERS_H_

#include <cstdint>
#include <string_view>

// Decimal digits only, within uint64_t; false otherwise.
bool parseUnsigned(std::string_view digits, uint64_t* value);

// A track id as a statement compares it: optional '-', digits; false for a value no
// unsigned 32-bit id can have.
bool parseTrackId(std::string_view text, uint32_t* value);

// The number a text stands for when compared with a numeric column: leading blanks, a
// sign, digits, a fraction and an exponent as far as they go; 0 when none.
double sqlTextAsNumber(std::string_view text);

#endif  // OSTREV_LIBMATCH_RESIDENT_SQLNUMBERS_H_
