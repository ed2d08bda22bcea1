// Text conversions for the exported text formats. The program's own texts
// (annotations, names) are 8-bit Latin-1; GPX, KML and CSV files are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace hx {

// Every byte as the Unicode character of the same number, in UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

// Latin-1 text as XML character data or attribute value in UTF-8: the five
// markup characters escaped, carriage returns kept as a reference, and the
// control characters XML 1.0 does not allow turned into spaces.
std::string xmlText(std::string_view latin1);

// One CSV field (RFC 4180) from Latin-1 text, in UTF-8: quoted, with quotes
// doubled, when it holds a comma, a quote, a carriage return or a line feed.
std::string csvField(std::string_view latin1);

// A number with a fixed count of decimals and a '.' whatever the locale.
std::string fixedText(double value, int decimals);

}  // namespace hx
