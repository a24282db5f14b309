#include "tools/script_runner.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <utility>

#include "app/readout_report.h"
#include "model/number_text.h"
#include "tools/json_dump.h"

namespace transistor {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Splits off the word at the front of s (up to the next blank).
std::string_view TakeWord(std::string_view &s) {
    std::size_t end = 0;
    while (end < s.size() && !IsBlank(s[end])) ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    return word;
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    for (s = TrimBlanks(s); !s.empty(); s = TrimBlanks(s)) words.push_back(TakeWord(s));
    return words;
}

// A name from the script, fit for an error message on a terminal: control
// bytes become '?' and a long name is cut short.
std::string Shown(std::string_view name) {
    constexpr std::size_t kLimit = 60;
    std::string shown;
    for (std::size_t i = 0; i < name.size() && i < kLimit; ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        shown += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    if (name.size() > kLimit) shown += "...";
    return shown;
}

// One number of a random file, rounded to single precision.
bool ParseRandomValue(std::string_view text, Single &value) {
    const char *const first = text.data();
    const char *const last = first + text.size();
    auto [end, ec] = ReadNumberText(first, last, value);
    if (end != last) return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small for a float ("1e-60"): it rounds to zero; too large is refused below.
        double d = 0;
        auto [dend, dec] = ReadNumberText(first, last, d);
        if (dend != last || dec != std::errc() || !(std::fabs(d) < 1)) return false;
        value = static_cast<Single>(d);
    } else if (ec != std::errc()) {
        return false;
    }
    return value >= 0 && value < 1;
}

// Reads one line into line, without its '\n' and without the '\r' of a
// CRLF ending. A line longer than kMaxScriptLine is cut there and tooLong
// set. Returns false at the end of the input.
bool ReadLine(std::istream &in, std::string &line, bool &tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf *buf = in.rdbuf();
    if (buf == nullptr) return false;
    bool any = false;
    for (;;) {
        const int c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return any;
        }
        any = true;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (line.size() < kMaxScriptLine)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
}

} // namespace

std::vector<Single> ReadRandomFile(const std::string &path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        throw ScriptError("cannot read random file " + Shown(path) + ": " +
                          (errno != 0 ? std::strerror(errno) : "cannot open it"));
    }
    // A folder opens like a file but cannot be read; libc++, unlike
    // libstdc++, reads it as an empty file, so the folder is told apart here.
    if (std::error_code error; std::filesystem::is_directory(path, error))
        in.setstate(std::ios::badbit);
    std::vector<Single> values;
    std::string line;
    std::size_t number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string_view text = line;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        text = TrimBlanks(text);
        if (text.empty()) continue;
        Single value = 0;
        if (!ParseRandomValue(text, value)) {
            throw ScriptError("random file " + Shown(path) + " line " + std::to_string(number) +
                              ": " + Shown(text) + " is not a number in [0, 1)");
        }
        values.push_back(value);
    }
    if (in.bad()) throw ScriptError("cannot read random file " + Shown(path));
    return values;
}

ScriptDriver::ScriptDriver(std::ostream &out, std::string decimalSeparator, EventRunner run)
    : out_(out) {
    Program::Options options;
    options.decimalSeparator = std::move(decimalSeparator);
    options.run = std::move(run);
    options.reportEscapes = false;
    deliver([&] { program_ = std::make_unique<Program>(std::move(options)); });
}

template <class F> void ScriptDriver::deliver(F &&handlerCall) {
    try {
        handlerCall();
    } catch (const RandomExhausted &e) {
        throw ScriptError(e.what());
    } catch (const RuntimeError &e) {
        // The handlers catch these themselves; one that gets out is still
        // reported rather than taking the driver down.
        throw ScriptError(std::string("run-time error: ") + e.what());
    } catch (const ScriptError &) {
        throw;
    } catch (const std::exception &e) {
        throw ScriptError(std::string("internal error: ") + e.what());
    }
}

void ScriptDriver::deliver(const ControlEvent &event) {
    deliver([&] { program_->deliver(event); });
}

namespace {

// A count of a script command: a non-negative integer, as "tick 5" or "wait 10000".
std::uint64_t Count(std::string_view text, const char *what) {
    std::uint64_t n = 0;
    const char *const last = text.data() + text.size();
    auto [end, ec] = std::from_chars(text.data(), last, n);
    if (end != last)
        throw ScriptError(std::string(what) + " " + Shown(text) + " is not a non-negative integer");
    if (ec != std::errc())
        throw ScriptError(std::string(what) + " " + Shown(text) + " is too large");
    return n;
}

} // namespace

void ScriptDriver::execute(std::string_view line) {
    std::string_view rest = line;
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty() || rest.front() == '#') return;
    const std::string_view command = TakeWord(rest);

    // After Close the program has ended; only its last state can be looked at.
    if (closed() && command != "dump") return;

    if (command == "set") {
        set(rest);
    } else if (command == "click") {
        const auto words = Words(rest);
        if (words.size() != 1) throw ScriptError("click needs one button: click BUTTON");
        click(words[0]);
    } else if (command == "tick") {
        const auto words = Words(rest);
        if (words.size() > 1) throw ScriptError("tick takes at most one count: tick [N]");
        tick(words.empty() ? std::string_view("1") : words[0]);
    } else if (command == "fire") {
        const auto words = Words(rest);
        if (words.size() != 1) throw ScriptError("fire needs one timer: fire TIMER");
        fire(words[0]);
    } else if (command == "wait") {
        const auto words = Words(rest);
        if (words.size() != 1) throw ScriptError("wait needs one time: wait MS");
        wait(words[0]);
    } else if (command == "pause" || command == "resume" || command == "step" ||
               command == "dump" || command == "readouts") {
        if (!Words(rest).empty())
            throw ScriptError(std::string(command) + " takes nothing after it");
        Program &p = *program_;
        const Millis now = p.clock().now();
        if (command == "pause")
            deliver([&] { p.pause(now); });
        else if (command == "resume")
            deliver([&] { p.resume(now); });
        else if (command == "step")
            deliver([&] { p.step(now); });
        else if (command == "readouts")
            readouts();
        else
            dump();
    } else if (command == "random") {
        // The file name is everything after the one blank that follows the
        // command, so that a name may hold spaces; blanks at the end go.
        std::string_view file = rest.empty() ? rest : rest.substr(1);
        while (!file.empty() && IsBlank(file.back())) file.remove_suffix(1);
        if (file.empty()) throw ScriptError("random needs a file: random FILE");
        program_->setRandom(std::make_unique<ScriptedRandom>(ReadRandomFile(std::string(file))));
    } else {
        throw ScriptError("unknown command " + Shown(command));
    }
}

void ScriptDriver::set(std::string_view rest) {
    // "set BOX TEXT": TEXT is everything after the one blank that follows
    // BOX, verbatim; "set BOX" alone sets the empty text.
    if (rest.empty()) throw ScriptError("set needs a box: set BOX TEXT");
    rest.remove_prefix(1);
    const std::string_view box = TakeWord(rest);
    if (box.empty()) throw ScriptError("set needs a box: set BOX TEXT");
    std::string *text = TextBox(program_->form().ctl, box);
    if (text == nullptr) throw ScriptError("unknown box " + Shown(box));
    if (!rest.empty()) rest.remove_prefix(1);
    text->assign(rest);
}

void ScriptDriver::click(std::string_view button) {
    const ControlEvent *event = FindButton(button);
    if (event == nullptr) throw ScriptError("unknown button " + Shown(button));
    Program &p = *program_;
    deliver([&] { p.press(*event, p.clock().now()); });
}

void ScriptDriver::tick(std::string_view count) {
    const std::uint64_t n = Count(count, "tick count");
    // As in the window, a tick arrives only while the timer is enabled.
    const ControlEvent &timer1 = *FindControlEvent("Timer1");
    for (std::uint64_t i = 0; i < n && form().ctl.Timer1.Enabled; ++i) deliver(timer1);
}

void ScriptDriver::fire(std::string_view timer) {
    if (timer == "Timer1") throw ScriptError("unknown timer Timer1 for fire: use tick");
    const ControlEvent *event = FindControlEvent(timer);
    if (event == nullptr || !event->timer) throw ScriptError("unknown timer " + Shown(timer));
    if ((form().ctl.*event->timer).Enabled) deliver(*event);
}

void ScriptDriver::wait(std::string_view ms) {
    const std::uint64_t n = Count(ms, "wait time");
    Program &p = *program_;
    const Millis now = p.clock().now();
    // The clock's end must stay within its own count.
    if (n > static_cast<std::uint64_t>(std::numeric_limits<Millis>::max() - now))
        throw ScriptError("wait time " + Shown(ms) + " is too large");
    deliver([&] { p.runUntil(now + static_cast<Millis>(n)); });
}

void ScriptDriver::readouts() {
    out_ << ReadoutCsv(program_->readoutLog());
    out_.flush();
}

void ScriptDriver::dump() {
    out_ << DumpJson(form()) << '\n';
    out_.flush();
}

int RunScript(std::istream &in, std::ostream &out, std::ostream &err, std::string decimalSeparator,
              EventRunner run) {
    std::size_t number = 0;
    const auto fail = [&](const std::string &message) {
        if (number == 0)
            err << "at load: " << message << '\n'; // Form_Load itself failed
        else
            err << "script line " << number << ": " << message << '\n';
        return 2;
    };
    try {
        ScriptDriver driver(out, std::move(decimalSeparator), std::move(run));
        std::string line;
        bool tooLong = false;
        while (ReadLine(in, line, tooLong)) {
            ++number;
            if (tooLong) {
                if (driver.closed()) continue; // ignored like any other command after Close
                return fail("line longer than " + std::to_string(kMaxScriptLine) + " bytes");
            }
            driver.execute(line);
        }
        if (in.bad()) {
            ++number;
            return fail("cannot read the script");
        }
    } catch (const ScriptError &e) {
        return fail(e.what());
    } catch (const std::ios_base::failure &) {
        ++number;
        return fail("cannot read the script");
    } catch (const std::exception &e) {
        return fail(std::string("internal error: ") + e.what());
    }
    return 0;
}

} // namespace transistor
