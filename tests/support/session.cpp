#include "session.h"

#include "tests/support/invariants.h"

namespace transistor::testing {

Session::Session() {
    Form_Load(form_);
    check("load");
}

void Session::type(int inputBox, std::string text) {
    *TextBox(form_.ctl, kInputBoxNames[inputBox]) = std::move(text);
    check("typing");
}

void Session::press(bool withStart) {
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
}

void Session::tick() {
    if (!failure_.empty() || !form_.ctl.Timer1.Enabled) return;
    Timer1_Timer(form_, random_);
    ++ticks_;
    check("a tick");
    if (++sinceReadout_ == 200) readout();
    sinceRed_ = form_.ctl.Timer3.Enabled ? sinceRed_ + 1 : 0;
    sinceBlue_ = form_.ctl.Timer4.Enabled ? sinceBlue_ + 1 : 0;
    if (sinceRed_ == 4) Timer3_Timer(form_);
    if (sinceBlue_ == 4) Timer4_Timer(form_);
    check("the marker timers");
}

void Session::readout() {
    sinceReadout_ = 0;
    if (form_.ctl.Timer2.Enabled) Timer2_Timer(form_);
    check("a readout");
}

void Session::hideMarks() {
    if (form_.ctl.Timer3.Enabled) Timer3_Timer(form_);
    if (form_.ctl.Timer4.Enabled) Timer4_Timer(form_);
    check("the marker timers");
}

void Session::check(const char *after) {
    if (!failure_.empty()) return;
    if (std::string broken = BrokenInvariant(form_); !broken.empty())
        failure_ = "after " + std::string(after) + ": " + broken;
}

} // namespace transistor::testing
