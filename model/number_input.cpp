#include "model/number_input.h"

#include <cmath>

#include "model/number_text.h"

namespace transistor {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
    return !prefix.empty() && s.substr(0, prefix.size()) == prefix;
}

// The full-width digits, signs and point that a Japanese input method types,
// the minus sign U+2212 and the ideographic space, with their ASCII forms.
struct Fold {
    std::string_view from;
    char to;
};
constexpr Fold kFolds[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'},
    {"５", '5'}, {"６", '6'}, {"７", '7'}, {"８", '8'}, {"９", '9'},
    {"＋", '+'}, {"－", '-'}, {"．", '.'}, {"−", '-'},  {"　", ' '},
};

std::string foldFullWidth(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const Fold *fold = nullptr;
        // Every folded form starts with a byte of 0xE2 or above.
        if (static_cast<unsigned char>(s[i]) >= 0xE2)
            for (const Fold &f : kFolds)
                if (startsWith(s.substr(i), f.from)) fold = &f;
        out += fold ? fold->to : s[i];
        i += fold ? fold->from.size() : 1;
    }
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

double ReadPlain(const std::string &plain) {
    return ReadDecimal(plain.c_str());
}

// The number as the C locale reads it ("-12.5e3"), or nothing when text is
// not written as a number.
std::optional<std::string> PlainForm(std::string_view text, std::string_view decimalSeparator) {
    const std::string folded = foldFullWidth(text);
    std::string_view s = folded;
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);

    // Rebuild the number in the one form the C locale reads: "-12.5e3".
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
    return plain;
}

} // namespace

std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator) {
    const std::optional<std::string> plain = PlainForm(text, decimalSeparator);
    if (!plain) return std::nullopt;
    // A value too large for a double is no number; one too small reads as
    // zero (or a denormal), which every use rounds to zero.
    const double v = ReadPlain(*plain);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

int TooLargeSign(std::string_view text, std::string_view decimalSeparator) {
    const std::optional<std::string> plain = PlainForm(text, decimalSeparator);
    if (!plain) return 0;
    const double v = ReadPlain(*plain);
    if (std::isfinite(v)) return 0;
    return v < 0 ? -1 : 1;
}

std::string NumberText(double v, std::string_view decimalSeparator) {
    std::string s = ShortestText(v);
    if (auto p = s.find('.'); p != std::string::npos) s.replace(p, 1, decimalSeparator);
    return s;
}

std::string FixedText(double v, int decimals, std::string_view decimalSeparator) {
    std::string s = FixedText(v, decimals);
    if (auto p = s.find('.'); p != std::string::npos) s.replace(p, 1, decimalSeparator);
    return s;
}

} // namespace transistor
