// The window in the user's language. The texts of the window description
// are the source; a translation replaces the marked ones (model/translatable.h)
// and the view's own tr() texts. Where no translation matches the user's
// language, the window shows its texts as designed.
#pragma once

#include <QString>
#include <string_view>

#include "model/translatable.h"

class QCoreApplication;

namespace transistor {

// Installs into app the translation for the user's language, if there is
// one, and returns its language ("en", "ja"), or an empty string when the
// window keeps its designed texts. The language is the first of the
// locale's UI languages (LANGUAGE, else LC_ALL, LC_MESSAGES, LANG) that has a
// translation; as with gettext, a C or POSIX locale ignores LANGUAGE.
QString InstallTranslation(QCoreApplication &app);

// A text that the core marked with TRANSLATABLE(context, text), in the
// user's language; the texts of the window description are in "Form1".
QString Translated(std::string_view text, const char *context = kTranslationContext);

// The same as the core's Translate, for the core's rules that take one.
Translate WindowTranslate();

} // namespace transistor
