#include "view/message_text.h"

#include <QStringList>

#include "view/translation.h"

namespace transistor {

QString MessageText(const std::vector<MessageLine> &lines) {
    QStringList out;
    for (const MessageLine &line : lines) {
        QString text = Translated(line.format, "Message");
        // One pass over the places, as the core formats them: an argument that
        // holds "%2" stays as it is.
        QStringList args;
        for (const MessageArg &arg : line.args)
            args << (arg.phrase ? Translated(arg.text, "Message")
                                : QString::fromStdString(arg.text));
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
