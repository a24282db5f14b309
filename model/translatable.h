// The mark of a text that the window shows in the user's language:
// TRANSLATABLE("Form1", "Start") is the text "Start" as designed, so the
// core stays free of Qt, and lupdate, which reads TRANSLATABLE as
// QT_TRANSLATE_NOOP (translations/translations.cmake), collects it into the
// translations under the context "Form1", where the view looks it up.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#define TRANSLATABLE(context, text) text

namespace transistor {

// The context of every marked text of the window description.
inline constexpr const char *kTranslationContext = "Form1";

// A marked text in the user's language, given its context; a view supplies
// it from its translations. Empty: every text as designed.
using Translate = std::function<std::string(const char *context, std::string_view source)>;

inline std::string Translated(const Translate &translate, const char *context,
                              std::string_view source) {
    return translate ? translate(context, source) : std::string(source);
}

} // namespace transistor
