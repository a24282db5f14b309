#include "model/message.h"

namespace transistor {

std::string FormatLine(const MessageLine &line) {
    std::string out;
    const std::string_view f = line.format;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size() && f[i + 1] >= '1' && f[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(f[i + 1] - '1');
            if (n < line.args.size()) {
                out += line.args[n].text;
                ++i;
                continue;
            }
        }
        out += f[i];
    }
    return out;
}

std::string FormatLines(const std::vector<MessageLine> &lines) {
    std::string out;
    for (const MessageLine &line : lines) {
        if (!out.empty()) out += '\n';
        out += FormatLine(line);
    }
    return out;
}

} // namespace transistor
