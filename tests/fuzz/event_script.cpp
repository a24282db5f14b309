#include "event_script.h"

#include <algorithm>
#include <string_view>

namespace transistor::testing {

namespace {

// Texts worth typing more often than chance would: limits, spellings of
// numbers the parser must refuse or accept, values that push a result out of
// 16 bits.
constexpr std::string_view kInteresting[] = {
    "0",      "0.6",  "0.5999", "2",      "2.0001", "-0.3", "0.75", "1",     "1.117",
    "1.12",   "0.97", "1e999",  "1e-999", "nan",    "inf",  "-inf", "30",    "-30",
    "24",     "-24",  "40000",  "-40000", "32767",  "5000", "0,5",  "1.500", "1,500",
    "０．９", "−0.3", " 0.5 ",  "0.5V",   "",       "   ",  "+.5",  "5.",    ".",
    "e5",     "1e",   "0x10",   "0.9x",   "300",    "0.2",  "0.7",  "1.5",   "0.4",
};

constexpr long kMostTicks = 500; // long runs are the soak's; here, many short ones

void Play(Session &session, const std::uint8_t *data, std::size_t size) {
    std::size_t pos = 0;
    const auto byte = [&]() -> std::uint8_t { return pos < size ? data[pos++] : 0; };
    const auto bytes = [&](std::size_t n) {
        n = std::min(n, size - pos);
        std::string s(reinterpret_cast<const char *>(data + pos), n);
        pos += n;
        return s;
    };
    while (pos < size && session.failure().empty()) {
        const int op = byte() % 10;
        if (op == 0 || op == 1 || op == 9) { // raw bytes, a very long text, a text worth trying
            const int box = byte() % 6;
            std::string text = op == 0 ? bytes(byte())
                               : op == 9
                                   ? std::string(kInteresting[byte() % std::size(kInteresting)])
                                   : "";
            if (op == 1) {
                const std::string unit = bytes(1 + byte() % 4);
                for (int n = 1000 + 100 * byte(); n > 0; --n) text += unit;
            }
            session.type(box, std::move(text));
        } else if (op < 4) {
            session.press(op == 2);
        } else if (op < 6) {
            for (int i = 0, n = 1 + byte(); i < n && session.ticks() < kMostTicks; ++i)
                session.tick();
        } else if (op == 6) {
            session.readout();
        } else if (op == 7) {
            session.hideMarks();
        } else {
            constexpr std::string_view separators[] = {".", ",", "٫"};
            session.setDecimalSeparator(std::string(separators[byte() % 3]));
        }
    }
}

} // namespace

std::string PlayEventBytes(const std::uint8_t *data, std::size_t size) {
    Session session;
    Play(session, data, size);
    return session.failure();
}

ScriptRecording EventBytesScript(const std::uint8_t *data, std::size_t size) {
    ScriptRecording recording;
    Session session;
    session.record(recording);
    Play(session, data, size);
    session.endRecording();
    return recording;
}

} // namespace transistor::testing
