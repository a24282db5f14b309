// Floating-point numbers as text, the one way the program writes and reads
// them: exactly as std::to_chars and std::from_chars do for float and double,
// but built on the C library's printf and strtod in the "C" locale, so that
// every platform runs the same code (not every standard library has the
// floating-point overloads of <charconv>).
#pragma once

#include <charconv>
#include <string>

namespace transistor {

// The shortest text that reads back as v, as std::to_chars(first, last, v)
// writes it: fixed or scientific notation, whichever is shorter (fixed on a
// tie); of several shortest digit strings the nearest to v, ties to even; a
// whole number in fixed notation with all its digits ("123456792"); the
// exponent with a sign and at least two digits ("1e+21", "1e-07"); "-0",
// "inf", "-inf", "nan" and "-nan" as they are.
std::string ShortestText(float v);
std::string ShortestText(double v);

// v with a fixed number of decimals, rounded as printf rounds ("0.20"),
// with '.' as the point whatever locale the program runs in.
std::string FixedText(double v, int decimals);

// A number written as "-12.5e3", read as strtod reads it in the "C" locale:
// correctly rounded, and infinite when it is too large for a double.
double ReadDecimal(const char *text);

// Reads a number at the start of [first, last) as std::from_chars(first,
// last, v) does: an optional '-', digits with an optional point, an optional
// exponent, or "inf", "infinity", "nan", "nan(...)" in any case; no blanks,
// no '+', no hexadecimal. The result points past what was read. A value that
// rounds to infinity, or to zero from nonzero digits, is result_out_of_range
// and leaves v unchanged; nothing that reads as a number is invalid_argument.
std::from_chars_result ReadNumberText(const char *first, const char *last, float &v);
std::from_chars_result ReadNumberText(const char *first, const char *last, double &v);

} // namespace transistor
