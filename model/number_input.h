// Reading the numbers that the user types into the input boxes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace transistor {

// A decimal number as the user may type it: optional blanks around it, an
// optional sign, digits with at most one decimal separator (the locale's or
// "."), an optional exponent ("1e3"). Full-width digits and signs, as a
// Japanese input method types them, are read like their ASCII forms. Group
// separators are not accepted. Returns nothing for anything else, and for a
// value too large for a double; a value too small for one reads as zero.
std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator);

// Whether text is written as a number but is too large for a double, as
// "1e400" or "-1e400" is: ParseNumber refuses it, but it is no typing error.
// Returns the sign of the value it would have, or 0 when text is a number
// that fits or no number at all.
int TooLargeSign(std::string_view text, std::string_view decimalSeparator);

// A decimal text of v for an input box, with the locale's separator
// ("0.6", or "0,6" in a comma locale).
std::string NumberText(double v, std::string_view decimalSeparator);

// v with a fixed number of decimals, rounded as printf rounds, with the
// locale's separator ("0.20", "0,20"), whatever locale the program runs in.
std::string FixedText(double v, int decimals, std::string_view decimalSeparator);

} // namespace transistor
