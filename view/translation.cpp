#include "view/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

namespace transistor {

namespace {

// Whether the locale of messages, as the C library picks it (LC_ALL, else
// LC_MESSAGES, else LANG), is C or POSIX.
bool MessagesInCLocale() {
    QString name = qEnvironmentVariable("LC_ALL");
    if (name.isEmpty()) name = qEnvironmentVariable("LC_MESSAGES");
    if (name.isEmpty()) name = qEnvironmentVariable("LANG");
    return name.isEmpty() || name == u"C" || name == u"POSIX" || name.startsWith(u"C.");
}

} // namespace

QString InstallTranslation(QCoreApplication &app) {
    if (MessagesInCLocale()) return {};
    // Built into the program, so that a build that is not installed
    // translates too.
    auto *window = new QTranslator(&app);
    if (!window->load(QLocale::system(), QStringLiteral("transistor"), QStringLiteral("_"),
                      QStringLiteral(":/translations"))) {
        delete window;
        return {};
    }
    app.installTranslator(window);
    // Qt's own texts (the OK of a message box, the edit menu of a text box)
    // in the same language, when the system has them.
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(window->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
    else
        delete qt;
    return QLocale::languageToCode(QLocale(window->language()).language());
}

QString Translated(std::string_view text, const char *context) {
    const QByteArray source(text.data(), static_cast<qsizetype>(text.size()));
    return QCoreApplication::translate(context, source.constData());
}

} // namespace transistor
