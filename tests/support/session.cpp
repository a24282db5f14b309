#include "session.h"

#include "tests/support/invariants.h"

namespace transistor::testing {

Session::Session() {
    Form_Load(form_);
    check("load");
}

void Session::type(int inputBox, std::string text) {
    if (text.find('\n') != std::string::npos) {
        recordEnd("a text with a line break, which a script line cannot hold");
    } else {
        // The driver drops the CR of a CRLF ending: one more keeps a CR at the end.
        const bool endsInCr = !text.empty() && text.back() == '\r';
        recordLine("set " + std::string(kInputBoxNames[inputBox]) + " " + text +
                   (endsInCr ? "\r" : ""));
    }
    *TextBox(form_.ctl, kInputBoxNames[inputBox]) = std::move(text);
    check("typing");
}

void Session::press(bool withStart) {
    recordLine(withStart ? "click Start" : "click Restart");
    const Form before = form_;
    const unsigned messages = form_.feedback.messageSerial;
    if (withStart)
        Command1_Click(form_, random_);
    else
        Command3_Click(form_);
    if (form_.feedback.messageSerial != messages && !SameSimulation(before, form_))
        failure_ =
            std::string(withStart ? "Start" : "Restart") + " was refused but changed the state";
    check(withStart ? "Start" : "Restart");
    recordDump();
}

void Session::tick() {
    if (!failure_.empty() || !form_.ctl.Timer1.Enabled) return;
    if (recording_) ++pendingTicks_;
    Timer1_Timer(form_, random_);
    ++ticks_;
    check("a tick");
    if (++sinceReadout_ == 200) readout();
    sinceRed_ = form_.ctl.Timer3.Enabled ? sinceRed_ + 1 : 0;
    sinceBlue_ = form_.ctl.Timer4.Enabled ? sinceBlue_ + 1 : 0;
    if (sinceRed_ == 4) {
        recordLine("fire Timer3");
        Timer3_Timer(form_);
    }
    if (sinceBlue_ == 4) {
        recordLine("fire Timer4");
        Timer4_Timer(form_);
    }
    check("the marker timers");
}

void Session::readout() {
    sinceReadout_ = 0;
    if (form_.ctl.Timer2.Enabled) {
        recordLine("fire Timer2");
        Timer2_Timer(form_);
    }
    check("a readout");
}

void Session::hideMarks() {
    if (form_.ctl.Timer3.Enabled) {
        recordLine("fire Timer3");
        Timer3_Timer(form_);
    }
    if (form_.ctl.Timer4.Enabled) {
        recordLine("fire Timer4");
        Timer4_Timer(form_);
    }
    check("the marker timers");
}

void Session::setDecimalSeparator(std::string separator) {
    if (separator != ".")
        recordEnd("the decimal separator becomes \"" + separator + "\", which a script cannot set");
    form_.decimalSeparator = std::move(separator);
}

void Session::endRecording() {
    recordDump();
    recording_ = nullptr;
}

void Session::recordLine(std::string_view line) {
    if (!recording_) return;
    if (pendingTicks_ > 0) recording_->script += "tick " + std::to_string(pendingTicks_) + "\n";
    pendingTicks_ = 0;
    recording_->script.append(line);
    recording_->script += '\n';
}

void Session::recordDump() {
    if (!recording_) return;
    recordLine("dump");
    recording_->dumps.push_back(form_);
}

void Session::recordEnd(std::string_view why) {
    if (!recording_) return;
    recordDump();
    recording_->script += "# The recording ends here: " + std::string(why) + ".\n";
    recording_->ended = true;
    recording_ = nullptr;
}

void Session::check(const char *after) {
    if (!failure_.empty()) return;
    if (std::string broken = BrokenInvariant(form_); !broken.empty())
        failure_ = "after " + std::string(after) + ": " + broken;
}

} // namespace transistor::testing
