#include "model/number_input.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace transistor {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
    return !prefix.empty() && s.substr(0, prefix.size()) == prefix;
}

// Folds the full-width forms of digits, signs and the point (U+FF10..FF19,
// U+FF0B, U+FF0D, U+FF0E), the minus sign U+2212 and the ideographic space
// into ASCII; leaves everything else as it is.
std::string foldFullWidth(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        auto u = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
        if (i + 2 < s.size() && u(0) == 0xEF && u(1) == 0xBC) {
            unsigned c = u(2);
            if (c >= 0x90 && c <= 0x99) {
                out += static_cast<char>('0' + (c - 0x90));
                i += 3;
                continue;
            }
            if (c == 0x8B) {
                out += '+';
                i += 3;
                continue;
            }
            if (c == 0x8D) {
                out += '-';
                i += 3;
                continue;
            }
            if (c == 0x8E) {
                out += '.';
                i += 3;
                continue;
            }
        }
        if (i + 2 < s.size() && u(0) == 0xE2 && u(1) == 0x88 && u(2) == 0x92) {
            out += '-';
            i += 3;
            continue;
        }
        if (i + 2 < s.size() && u(0) == 0xE3 && u(1) == 0x80 && u(2) == 0x80) {
            out += ' ';
            i += 3;
            continue;
        }
        out += s[i++];
    }
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The power of ten of the leading digit of a plain number ("-0.0012e5" → 2),
// with the exponent saturated, so any text gives a finite answer. Only its
// sign matters here.
long long decimalMagnitude(std::string_view plain) {
    long long lead = 0;
    bool seenPoint = false, seenNonZero = false;
    long long zerosAfterPoint = 0, intDigits = 0;
    std::size_t i = 0;
    for (; i < plain.size() && plain[i] != 'e'; ++i) {
        char c = plain[i];
        if (c == '-') continue;
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (c != '0') seenNonZero = true;
        if (!seenPoint && (seenNonZero || c != '0')) ++intDigits;
        if (seenPoint && !seenNonZero) ++zerosAfterPoint;
        if (seenNonZero && intDigits == 0 && seenPoint) break;
    }
    lead = intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1);
    long long exp = 0;
    bool negative = false;
    for (i = plain.find('e') == std::string_view::npos ? plain.size() : plain.find('e') + 1;
         i < plain.size(); ++i) {
        if (plain[i] == '-')
            negative = true;
        else if (isDigit(plain[i]) && exp < 1000000000)
            exp = exp * 10 + (plain[i] - '0');
    }
    return lead + (negative ? -exp : exp);
}

} // namespace

std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator) {
    const std::string folded = foldFullWidth(text);
    std::string_view s = folded;
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);

    // Rebuild the number in the one form std::from_chars reads: "-12.5e3".
    std::string plain;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') plain += '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            plain += s[i++];
            ++digits;
        } else if (!point && s[i] == '.') {
            plain += '.';
            point = true;
            ++i;
        } else if (!point && decimalSeparator != "." && startsWith(s.substr(i), decimalSeparator)) {
            plain += '.';
            point = true;
            i += decimalSeparator.size();
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
        int expDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            plain += s[i++];
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;

    double v = 0;
    const char *first = plain.data();
    const char *last = first + plain.size();
    auto [end, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (end != last) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is no number.
        return decimalMagnitude(plain) < 0
                   ? std::optional<double>(plain.front() == '-' ? -0.0 : 0.0)
                   : std::nullopt;
    }
    if (ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string NumberText(double v, std::string_view decimalSeparator) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, ec == std::errc() ? end : buf);
    if (auto p = s.find('.'); p != std::string::npos) s.replace(p, 1, decimalSeparator);
    return s;
}

} // namespace transistor
