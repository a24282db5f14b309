// Which language the texts speak, for both views: the window picks from the
// locale, the page from the browser's list and its address.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace transistor {

// What the window is asked for in place of a language to keep its texts as
// designed: the C locale (as gettext does) or the page's `?lang=designed`.
inline constexpr std::string_view kDesignedLanguage = "designed";

// The language that speaks where no translation matches: most students can
// read some English, and the designed texts mix two scripts.
inline constexpr std::string_view kFallbackLanguage = "en";

// The language of the texts: the first of `wanted` (most wanted first, as
// "fr-FR", "ja_JP.UTF-8", "JA") whose primary language has a translation in
// `translated`; English when none has. An empty result keeps the texts as
// designed: when the first wanted is "C", "POSIX" (with or without an
// encoding) or "designed", or when nothing is wanted at all.
std::string PickLanguage(const std::vector<std::string> &wanted,
                         const std::vector<std::string> &translated);

} // namespace transistor
