#include "view/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include "app/language.h"

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
    // Built into the program, so that a build that is not installed
    // translates too.
    const QString folder = QStringLiteral(":/translations");
    std::vector<std::string> translated, wanted;
    for (const QString &file : QDir(folder).entryList({QStringLiteral("transistor_*.qm")}))
        translated.push_back(file.mid(11, file.size() - 14).toStdString());
    if (MessagesInCLocale())
        wanted.emplace_back("C");
    else
        for (const QString &tag : QLocale::system().uiLanguages())
            wanted.push_back(tag.toStdString());
    const QString language = QString::fromStdString(PickLanguage(wanted, translated));
    if (language.isEmpty()) return {};
    auto *window = new QTranslator(&app);
    if (!window->load(u"transistor_"_qs + language, folder)) {
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

Translate WindowTranslate() {
    return [](const char *context, std::string_view source) {
        return Translated(source, context).toStdString();
    };
}

} // namespace transistor
