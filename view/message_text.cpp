#include "view/message_text.h"

#include <QCoreApplication>

namespace transistor {

namespace {

QString Translated(std::string_view english) {
    const QByteArray source(english.data(), static_cast<qsizetype>(english.size()));
    return QCoreApplication::translate("Message", source.constData());
}

} // namespace

const std::vector<const char *> &TranslatableMessageTexts() {
    // Keep in step with kMessageTexts in model/message.h.
    static const std::vector<const char *> texts = {
        QT_TRANSLATE_NOOP("Message", "%1"),
        QT_TRANSLATE_NOOP("Message", "%1: the box is empty. %2"),
        QT_TRANSLATE_NOOP("Message", "%1: the box holds only spaces. %2"),
        QT_TRANSLATE_NOOP("Message", "%1: \"%2\" is not a number. %3"),
        QT_TRANSLATE_NOOP("Message", "%1: \"%2\" is too large to use. %3"),
        QT_TRANSLATE_NOOP("Message", "%1: \"%2\" is too far below zero to use. %3"),
        QT_TRANSLATE_NOOP("Message",
                          "%1: \"%2\" puts the band diagram outside the range the program can "
                          "draw. %3"),
        QT_TRANSLATE_NOOP("Message", "The animation stopped: run-time error \"%1\" in the "
                                     "simulation step. Change the inputs and press Start."),
        QT_TRANSLATE_NOOP("Message", "Temperature (K)"),
        QT_TRANSLATE_NOOP("Message", "Emitter Fermi level (eV)"),
        QT_TRANSLATE_NOOP("Message", "Base Fermi level (eV)"),
        QT_TRANSLATE_NOOP("Message", "Collector Fermi level (eV)"),
        QT_TRANSLATE_NOOP("Message", "Emitter–base voltage VEB (V)"),
        QT_TRANSLATE_NOOP("Message", "Collector–base voltage VCB (V)"),
        QT_TRANSLATE_NOOP("Message", "Enter a temperature in kelvin, such as 300."),
        QT_TRANSLATE_NOOP("Message",
                          "Enter a level in eV above the valence-band edge, such as 0.9."),
        QT_TRANSLATE_NOOP("Message",
                          "Enter a level in eV above the valence-band edge, such as 0.2."),
        QT_TRANSLATE_NOOP("Message",
                          "Enter a level in eV above the valence-band edge, such as 0.7."),
        QT_TRANSLATE_NOOP("Message", "Enter a voltage in volts, such as 0.5."),
        QT_TRANSLATE_NOOP("Message", "Enter a voltage in volts, such as 1.5."),
    };
    return texts;
}

QString MessageText(const std::vector<MessageLine> &lines) {
    QStringList out;
    for (const MessageLine &line : lines) {
        QString text = Translated(line.format);
        // One pass over the places, as the core formats them: an argument that
        // holds "%2" stays as it is.
        QStringList args;
        for (const MessageArg &arg : line.args)
            args << (arg.phrase ? Translated(arg.text) : QString::fromStdString(arg.text));
        QString filled;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
                const qsizetype n = text[i + 1].unicode() - u'1';
                if (n < args.size()) {
                    filled += args[n];
                    ++i;
                    continue;
                }
            }
            filled += c;
        }
        out << filled;
    }
    return out.join(u'\n');
}

} // namespace transistor
