#include "app/language.h"

#include <algorithm>
#include <cctype>

namespace transistor {

namespace {

// "fr_FR.UTF-8", "fr-FR" and "FR" are all "fr".
std::string Primary(std::string_view tag) {
    std::string out;
    for (char c : tag) {
        if (c == '-' || c == '_' || c == '.' || c == '@') break;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace

std::string PickLanguage(const std::vector<std::string> &wanted,
                         const std::vector<std::string> &translated) {
    if (wanted.empty()) return {};
    const std::string first = Primary(wanted.front());
    if (first == "c" || first == "posix" || first == kDesignedLanguage) return {};
    for (const std::string &tag : wanted) {
        const std::string primary = Primary(tag);
        if (std::find(translated.begin(), translated.end(), primary) != translated.end())
            return primary;
    }
    return std::string(kFallbackLanguage);
}

} // namespace transistor
