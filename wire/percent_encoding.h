// The percent-encoding of an HTTP query string's names and values, as the clients write it
// and the server reads it. Pure functions; any thread.
#ifndef OSTREV_WIRE_PERCENT_ENCODING_H_
#define OSTREV_WIRE_PERCENT_ENCODING_H_

#include <string>
#include <string_view>

// Every byte but the unreserved ones (letters, digits, "-._~") as %XX.
std::string percentEncoded(std::string_view text);

// `text` decoded into `*out`, '+' as a blank; false for a '%' not followed by two
// hexadecimal digits.
bool percentDecoded(std::string_view text, std::string* out);

#endif  // OSTREV_WIRE_PERCENT_ENCODING_H_
