// Every text the window may show has a finished translation in each .ts
// file, and no .ts file keeps a text the sources no longer have.
//
// translations_test LUPDATE SOURCES_LIST TS_FILE... -- LUPDATE_OPTIONS...
//
// Runs lupdate as `update_translations` does, but into a copy of each .ts
// file, and names every text that the copy lacks a translation for.
#include <QtCore>

namespace {

// The texts of a refreshed .ts file that still need a translator, as
// "context: text (state)".
QStringList Untranslated(const QString &tsFile) {
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly)) return {tsFile + ": cannot be read"};
    QXmlStreamReader xml(&file);
    QStringList missing;
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") context = xml.readElementText();
        if (xml.name() == u"source") source = xml.readElementText();
        if (xml.name() != u"translation") continue;
        const QString state = xml.attributes().value(u"type"_qs).toString();
        if (!state.isEmpty() ||
            xml.readElementText(QXmlStreamReader::IncludeChildElements).isEmpty())
            missing << u"%1: \"%2\" (%3)"_qs.arg(context, source,
                                                 state.isEmpty() ? u"empty"_qs : state);
    }
    if (xml.hasError()) missing << tsFile + ": " + xml.errorString();
    return missing;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const qsizetype dashes = args.indexOf(u"--"_qs);
    if (dashes < 3) return 2; // see the usage above
    QTemporaryDir dir;
    QTextStream err(stderr);
    QStringList failures;
    for (const QString &ts : args.mid(2, dashes - 2)) {
        const QString copy = dir.filePath(QFileInfo(ts).fileName());
        QFile::copy(ts, copy); // without it, lupdate starts afresh: all unfinished
        QProcess run;
        run.start(args[0], args.mid(dashes + 1) +
                               QStringList{u"-silent"_qs, '@' + args[1], u"-ts"_qs, copy});
        // lupdate's warnings (a tr() it cannot place) are faults as well.
        const bool ran = run.waitForFinished(120000) && run.exitStatus() == QProcess::NormalExit &&
                         run.exitCode() == 0;
        const QString warnings = QString::fromLocal8Bit(run.readAllStandardError()).trimmed();
        if (!ran || !warnings.isEmpty()) failures << ts + ": lupdate failed or warns:\n" + warnings;
        if (ran)
            for (const QString &text : Untranslated(copy))
                failures << QFileInfo(ts).fileName() + ": " + text;
    }
    for (const QString &failure : failures) err << failure << "\n";
    if (!failures.isEmpty())
        err << "Refresh the .ts files (cmake --build build --target update_translations), "
               "then translate what is listed above.\n";
    return failures.isEmpty() ? 0 : 1;
}
