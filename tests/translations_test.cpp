// Every text the window may show has a finished translation in each .ts
// file, and no .ts file keeps a text the sources no longer have.
//
// translations_test LUPDATE SOURCES_LIST TS_FILE... -- LUPDATE_OPTIONS...
//
// Runs lupdate as `update_translations` does, but into a copy of each .ts
// file, and names every text of the copy that lacks a finished translation:
// one the sources added, one they dropped, or one never translated.
#include <QtCore>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const qsizetype dashes = args.indexOf(u"--"_qs);
    if (dashes < 3) return 2; // see the usage above
    QTemporaryDir dir;
    QStringList failures;
    static const QRegularExpression message(
        u"<source>(.*?)</source>.*?<translation( type=\"\\w+\")?(/>|>\\s*</translation>)?"_qs,
        QRegularExpression::DotMatchesEverythingOption);
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
        QFile file(copy);
        if (!file.open(QIODevice::ReadOnly)) failures << ts + ": no copy";
        for (const auto &m : message.globalMatch(QString::fromUtf8(file.readAll())))
            if (m.hasCaptured(2) || m.hasCaptured(3))
                failures << QFileInfo(ts).fileName() + ": \"" + m.captured(1) + '"' + m.captured(2);
    }
    if (failures.isEmpty()) return 0;
    QTextStream(stderr) << failures.join(u'\n') << "\nRefresh the .ts files (cmake --build build "
                        << "--target update_translations), then translate what is listed above.\n";
    return 1;
}
