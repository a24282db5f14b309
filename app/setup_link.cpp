#include "app/setup_link.h"

#include <algorithm>
#include <cmath>

#include "app/classroom.h"

namespace transistor {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A '%' without two hex digits after it stays as it is, as browsers read it.
std::string Decoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            out += ' ';
        } else if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 &&
                   HexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// "150" or "150%": a whole number of percent, to the nearest zoom step
// within the zoom keys' range.
double LinkZoom(std::string_view value) {
    if (!value.empty() && value.back() == '%') value.remove_suffix(1);
    if (value.empty() || value.size() > 6) return 1.0;
    int percent = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') return 1.0;
        percent = percent * 10 + (c - '0');
    }
    const int step = static_cast<int>(std::lround((percent - 100) / (kZoomStep * 100)));
    return SteppedZoom(1.0, std::clamp(step, -1, kZoomSteps + 1));
}

} // namespace

LinkSetup ReadSetupLink(std::string_view query) {
    LinkSetup setup;
    if (!query.empty() && query.front() == '?') query.remove_prefix(1);
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        const std::size_t eq = pair.find('=');
        const std::string name = Decoded(pair.substr(0, eq));
        const std::string value = eq == std::string_view::npos ? "" : Decoded(pair.substr(eq + 1));
        for (const LinkInput &input : kLinkInputs)
            if (SameName(name, input.name)) setup.texts.emplace_back(input.box, value);
        if (SameName(name, "lang")) setup.language = value;
        if (SameName(name, "zoom")) setup.zoom = LinkZoom(value);
        if (SameName(name, "start")) setup.start = value != "0";
        if (SameName(name, "contrast")) setup.highContrast = SameName(value, "high");
    }
    return setup;
}

std::string SetupLinkQuery(const Controls &controls) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const LinkInput &input : kLinkInputs) {
        if (!out.empty()) out += '&';
        out += input.name;
        out += '=';
        const auto box = std::find(kTextBoxNames.begin(), kTextBoxNames.end(), input.box);
        const std::string &text = controls.*kTextBoxes[box - kTextBoxNames.begin()];
        for (const char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                c == '-' || c == '.' || c == '_' || c == '~') {
                out += c;
            } else {
                out += '%';
                out += kHex[u >> 4];
                out += kHex[u & 15];
            }
        }
    }
    return out;
}

} // namespace transistor
