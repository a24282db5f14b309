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
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
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
    int exponent = 0;
};

// v > 0 rounded to n significant digits, to the nearest and ties to even, as
// printf's "%.*e" rounds. printf writes the point of the C library's locale,
// which may be any character: only the digits are kept.
Decimal Rounded(double v, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", n - 1, v);
    Decimal d;
    const char *p = buf;
    for (; *p != 'e'; ++p)
        if (IsDigit(*p)) d.digits += *p;
    d.exponent = std::atoi(p + 1);
    return d;
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

// The decimal with the same number of digits one unit in the last place
// above (by +1) or below (by -1) d. Below 1.00…0 × 10^e the next smaller one
// is 9.99…9 × 10^(e-1); above 9.99…9 × 10^e the next larger one is 10^(e+1).
Decimal Neighbour(Decimal d, int by) {
    std::string &s = d.digits;
    std::size_t i = s.size();
    if (by > 0) {
        while (i > 0 && s[i - 1] == '9') s[--i] = '0';
        if (i > 0) {
            ++s[i - 1];
        } else {
            s.insert(s.begin(), '1');
            s.pop_back();
            ++d.exponent;
        }
    } else {
        while (i > 0 && s[i - 1] == '0') s[--i] = '9';
        --s[i - 1]; // some digit is nonzero: d > 0
        if (s[0] == '0') {
            s.erase(s.begin());
            s += '9';
            --d.exponent;
        }
    }
    return d;
}

// The decimal of n significant digits nearest to v > 0 that reads back as v,
// if there is one. The nearest of all reads back unless it lies on the
// narrow side of a power of two, where the gap to the next smaller value is
// half the gap to the next larger one: then the one on the other side of v
// may still read back.
template <class T> std::optional<Decimal> Fitting(T v, int n) {
    Decimal nearest = Rounded(v, n);
    const T back = ReadC<T>(Scientific(nearest).c_str());
    if (back == v) return nearest;
    Decimal other = Neighbour(std::move(nearest), back > v ? -1 : 1);
    if (ReadC<T>(Scientific(other).c_str()) == v) return other;
    return std::nullopt;
}

// The fewest significant digits that read back as v > 0, and of those the
// nearest to v.
template <class T> Decimal Shortest(T v) {
    // A whole number that the type holds exactly, as all below 2^digits, is
    // its own shortest form: no other value is nearer to it than 1.
    constexpr T kWhole = T(std::uint64_t{1} << std::numeric_limits<T>::digits);
    if (v < kWhole && v == std::trunc(v)) {
        Decimal d{std::to_string(static_cast<std::uint64_t>(v)), 0};
        d.exponent = static_cast<int>(d.digits.size()) - 1;
        while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
        return d;
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
    // The length in fixed notation: "0.000ddd", "dd.ddd" or "ddd000".
    const int fixedLength = e < 0 ? 1 - e + n : e < n - 1 ? n + 1 : e + 1;
    if (fixedLength > static_cast<int>(scientific.size())) return sign + scientific;
    if (e < 0) return sign + "0." + std::string(-e - 1, '0') + d.digits;
    if (e < n - 1) return sign + d.digits.substr(0, e + 1) + '.' + d.digits.substr(e + 1);
    // A whole number: printed exactly, as printf("%.0f") prints it, not as
    // the shortest digits followed by zeros (123456792, not 123456790).
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
