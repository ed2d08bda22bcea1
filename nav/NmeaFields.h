// Field access over one NMEA sentence: the index and substring primitives and
// the lenient number conversions that every sentence decoder uses. Their
// exact edge behaviour (negative starts, missing characters, junk after a
// number) decides how malformed sentences come out, so they are kept apart
// and tested on their own.
#pragma once

#include <string_view>

namespace hx::nmea {

// Index of the first c at or after from; -1 when from is negative, when from
// is not less than the text's length, or when there is none.
int find(std::string_view text, char c, int from);

// Up to count characters from start; a negative start or count counts as 0
// and the result is cut at the end of the text.
std::string_view mid(std::string_view text, int start, int count);

// The character at index, or '\0' outside the text.
char at(std::string_view text, int index);

// Decimal integer: leading blanks skipped, optional sign, then digits up to
// the first character that is not one; 0 when there are no digits. Values
// beyond the 32-bit range saturate.
int toInt(std::string_view text);

// Decimal floating number in the same lenient way (sign, digits, point,
// digits, optional exponent); 0.0 when there is no number. Never yields
// infinity or NaN: hexadecimal, "inf" and "nan" forms read as 0.0, and an
// out-of-range value reads as 0.0.
double toDouble(std::string_view text);

}  // namespace hx::nmea
