#include "model/number_text.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace transistor {

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

// strtof or strtod in the "C" locale, whatever locale the program runs in:
// both round correctly to the nearest value of their type.
template <class T> T ReadC(const char *text);
template <> float ReadC<float>(const char *text) {
    return strtof_l(text, nullptr, CLocale());
}
template <> double ReadC<double>(const char *text) {
    return strtod_l(text, nullptr, CLocale());
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A positive decimal d.ddd × 10^exponent, as its significant digits.
struct Decimal {
    std::string digits;
    int exponent;
};

// v > 0 rounded to n significant digits, to the nearest and ties to even, as
// printf's "%.*e" rounds. printf writes the point of the C library's locale,
// which may be any character: only the digits are kept.
Decimal Rounded(double v, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", n - 1, v);
    std::string digits;
    const char *p = buf;
    for (; *p != 'e'; ++p)
        if (IsDigit(*p)) digits += *p;
    return {digits, std::atoi(p + 1)};
}

std::string Exponent(int exponent) {
    std::string s = exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) s += '0';
    return s + std::to_string(magnitude);
}

std::string Scientific(const Decimal &d) {
    std::string s(1, d.digits[0]);
    if (d.digits.size() > 1) s += '.' + d.digits.substr(1);
    return s + Exponent(d.exponent);
}

// The decimal of as many digits one unit in the last place above d: after
// 9.99…9 × 10^e comes 1.00…0 × 10^(e+1).
Decimal Above(const Decimal &d) {
    std::string digits = std::to_string(std::stoull(d.digits) + 1); // at most 17 digits
    if (digits.size() == d.digits.size()) return {digits, d.exponent};
    digits.pop_back();
    return {digits, d.exponent + 1};
}

// The decimal of n significant digits nearest to v > 0 that reads back as v,
// if there is one. The nearest of all reads back, unless it lies below v
// and v is a power of two: there the next smaller value is half as far as
// the next larger one, and the decimal above v may read back instead.
template <class T> std::optional<Decimal> Fitting(T v, int n) {
    const Decimal nearest = Rounded(v, n);
    const T back = ReadC<T>(Scientific(nearest).c_str());
    if (back == v) return nearest;
    if (back > v) return std::nullopt;
    Decimal above = Above(nearest);
    if (ReadC<T>(Scientific(above).c_str()) == v) return above;
    return std::nullopt;
}

// The fewest significant digits that read back as v > 0, and of those the
// nearest to v.
template <class T> Decimal Shortest(T v) {
    // A whole number that the type holds exactly, as all below 2^digits, is
    // its own shortest form: no other value is nearer to it than 1.
    constexpr T kWhole = T(std::uint64_t{1} << std::numeric_limits<T>::digits);
    if (v < kWhole && v == std::trunc(v)) {
        std::string digits = std::to_string(static_cast<std::uint64_t>(v));
        const int exponent = static_cast<int>(digits.size()) - 1;
        while (digits.back() == '0') digits.pop_back(); // the first digit is not 0
        return {digits, exponent};
    }
    // Whether some decimal of n digits reads back as v grows with n, and
    // max_digits10 digits always do.
    int fewest = 1, most = std::numeric_limits<T>::max_digits10;
    std::optional<Decimal> found;
    while (fewest < most) {
        const int n = (fewest + most) / 2;
        if (std::optional<Decimal> d = Fitting(v, n)) {
            most = n;
            found = std::move(d);
        } else {
            fewest = n + 1;
        }
    }
    return found ? *found : *Fitting(v, most);
}

template <class T> std::string Text(T v) {
    std::string sign = std::signbit(v) ? "-" : "";
    if (std::isnan(v)) return sign + "nan";
    if (std::isinf(v)) return sign + "inf";
    if (v == 0) return sign + "0";

    const Decimal d = Shortest(std::fabs(v));
    const std::string scientific = Scientific(d);
    const int n = static_cast<int>(d.digits.size()), e = d.exponent;
    const int longest = static_cast<int>(scientific.size()); // that fixed notation may be
    if (e < 0) {                                             // "0.000ddd"
        if (1 - e + n > longest) return sign + scientific;
        return sign + "0." + std::string(-e - 1, '0') + d.digits;
    }
    // With the point among the digits, fixed notation is the shorter.
    if (e < n - 1) return sign + d.digits.substr(0, e + 1) + '.' + d.digits.substr(e + 1);
    // A whole number, "ddd000", is written exactly, as printf("%.0f") writes
    // it, not as the shortest digits followed by zeros (123456792, not
    // 123456790).
    if (e + 1 > longest) return sign + scientific;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", static_cast<double>(std::fabs(v)));
    return sign + buf;
}

// The characters a "nan(...)" may hold, in any locale.
bool IsNanChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool StartsWithWord(const char *p, const char *last, std::string_view word) {
    if (last - p < static_cast<std::ptrdiff_t>(word.size())) return false;
    for (char c : word) {
        if ((*p | 0x20) != c) return false;
        ++p;
    }
    return true;
}

template <class T> std::from_chars_result Read(const char *first, const char *last, T &v) {
    const char *p = first;
    const bool negative = p != last && *p == '-';
    if (negative) ++p;

    if (StartsWithWord(p, last, "inf")) {
        p += StartsWithWord(p, last, "infinity") ? 8 : 3;
        v = negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
        return {p, std::errc()};
    }
    if (StartsWithWord(p, last, "nan")) {
        p += 3;
        // "nan(" takes what follows only up to a closing ')'.
        const char *q = p;
        if (q != last && *q == '(') {
            for (++q; q != last && IsNanChar(*q); ++q) {
            }
            if (q != last && *q == ')') p = q + 1;
        }
        v = negative ? -std::numeric_limits<T>::quiet_NaN() : std::numeric_limits<T>::quiet_NaN();
        return {p, std::errc()};
    }

    // Rebuilt in the one form strtod reads as from_chars would.
    std::string text = negative ? "-" : "";
    int digits = 0;
    bool nonzero = false;
    const auto takeDigits = [&] {
        for (; p != last && IsDigit(*p); ++p, ++digits) {
            nonzero = nonzero || *p != '0';
            text += *p;
        }
    };
    takeDigits();
    if (p != last && *p == '.') {
        text += '.';
        ++p;
        takeDigits();
    }
    if (digits == 0) return {first, std::errc::invalid_argument};
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q != last && (*q == '+' || *q == '-')) ++q;
        if (q != last && IsDigit(*q)) {
            text.append(p, q);
            for (p = q; p != last && IsDigit(*p); ++p) text += *p;
        }
    }
    const T value = ReadC<T>(text.c_str());
    if (std::isinf(value) || (value == 0 && nonzero)) return {p, std::errc::result_out_of_range};
    v = value;
    return {p, std::errc()};
}

} // namespace

std::string ShortestText(float v) {
    return Text(v);
}
std::string ShortestText(double v) {
    return Text(v);
}

std::from_chars_result ReadNumberText(const char *first, const char *last, float &v) {
    return Read(first, last, v);
}
std::from_chars_result ReadNumberText(const char *first, const char *last, double &v) {
    return Read(first, last, v);
}

std::string FixedText(double v, int decimals) {
    if (!std::isfinite(v)) return ShortestText(v);
    // printf writes the point of the C library's locale, which may be any
    // text: the digits after it are the last `decimals` bytes.
    char buf[400]; // room for the largest double in full
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    const std::string s(buf, n > 0 && n < static_cast<int>(sizeof buf) ? n : 0);
    const std::size_t fraction = static_cast<std::size_t>(decimals > 0 ? decimals : 0);
    if (fraction == 0 || s.size() <= fraction) return s;
    std::size_t whole = 0;
    while (whole < s.size() && (IsDigit(s[whole]) || s[whole] == '-')) ++whole;
    return s.substr(0, whole) + '.' + s.substr(s.size() - fraction);
}

double ReadDecimal(const char *text) {
    return ReadC<double>(text);
}

} // namespace transistor
