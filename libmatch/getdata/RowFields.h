// Reading the fields of a result row: SQL NULL arrives as a null pointer, and numbers as
// text that may be anything. Pure functions; any thread.
#ifndef OSTREV_LIBMATCH_GETDATA_ROWFIELDS_H_
#define OSTREV_LIBMATCH_GETDATA_ROWFIELDS_H_

#include <string>

// The field's text, or "" for NULL.
inline std::string fieldText(const char* field) { return field != nullptr ? field : ""; }

// Copies a present field into `*out`; a NULL field leaves it unchanged.
inline void copyIfPresent(const char* field, std::string* out) {
  if (field != nullptr) *out = field;
}

// The field read as a number (strtod) and truncated to an int: 0 for NULL or non-numbers,
// saturated at the int range.
int fieldNumber(const char* field);

#endif  // OSTREV_LIBMATCH_GETDATA_ROWFIELDS_H_
