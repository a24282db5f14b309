#include "model/message.h"

namespace transistor {

std::string FillPlaces(std::string_view f, const std::vector<std::string> &args) {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size() && f[i + 1] >= '1' && f[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(f[i + 1] - '1');
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += f[i];
    }
    return out;
}

std::string FormatLine(const MessageLine &line, const Translate &translate) {
    std::vector<std::string> args;
    args.reserve(line.args.size());
    for (const MessageArg &arg : line.args)
        args.push_back(arg.phrase ? Translated(translate, kMessageContext, arg.text) : arg.text);
    return FillPlaces(Translated(translate, kMessageContext, line.format), args);
}

std::string FormatLines(const std::vector<MessageLine> &lines, const Translate &translate) {
    std::string out;
    for (const MessageLine &line : lines) {
        if (!out.empty()) out += '\n';
        out += FormatLine(line, translate);
    }
    return out;
}

} // namespace transistor
