#include "app/program.h"

#include "app/window_description.h"
#include "model/number_input.h"

namespace transistor {

namespace {

const ControlEvent &Event(std::string_view control) {
    return *FindControlEvent(control);
}

} // namespace

Program::Program(Options options, Millis start)
    : options_(std::move(options)), random_(std::make_unique<FixedSeedRandom>()), clock_(start),
      log_(start) {
    form_.decimalSeparator = options_.decimalSeparator;
    Form_Load(form_);
    clock_.sync(form_.ctl);
    describe();
}

void Program::advanceTo(Millis now) {
    if (form_.feedback.closed) return;
    skipped_ += clock_.wake(now);
    while (const Clock::Timer *due = clock_.takeDue()) {
        // A timer whose control was disabled behind the clock's back stops.
        if ((form_.ctl.*due->event->timer).Enabled)
            deliver(*due->event);
        else
            clock_.sync(form_.ctl);
    }
}

void Program::runUntil(Millis t) {
    for (auto due = nextDeadline(); due && *due <= t; due = nextDeadline()) advanceTo(*due);
    advanceTo(t);
}

void Program::deliver(const ControlEvent &event) {
    // After Close no further event is handled.
    if (form_.feedback.closed) return;
    const bool tick = event.timer == &Controls::Timer1;
    const bool readout = event.timer == &Controls::Timer2;
    const bool setUp = event.control == "Command1" || event.control == "Command3";
    // The readout shows the counters as they stand before its handler clears them.
    const int collector = form_.vars.CollectorCurrentCount.value();
    const int base = form_.vars.BaseCurrentCount.value();
    // A refused set-up tells the user why, and changes nothing.
    const unsigned messages = form_.feedback.messageSerial;
    if (tick) log_.ticked();
    try {
        if (tick) pairs_.beforeTick(form_);
        options_.run(event, form_, *random_);
        if (tick) pairs_.afterTick(form_);
    } catch (const std::exception &e) {
        if (!options_.reportEscapes) throw;
        if (!form_.feedback.error) form_.feedback.error = e.what();
        form_.ctl.Timer1.Enabled = false;
    }
    if (readout)
        log_.readout(collector, base, form_.vars.ElectronCount.value(),
                     form_.vars.HoleCount.value(), clock_.now());
    if (setUp && form_.feedback.messageSerial == messages) logSetUp();
    if (form_.feedback.closed)
        clock_.stopAll();
    else
        clock_.sync(form_.ctl);
    if (options_.delivered) options_.delivered(event);
    // A screen reader hears how the drawings stand after Start and Restart
    // and at each readout, never at every tick.
    const bool laysOut = !event.timer && event.control != "Command2";
    if (!form_.feedback.closed && (laysOut || event.timer == &Controls::Timer2)) describe();
}

void Program::press(const ControlEvent &button, Millis now) {
    advanceTo(now);
    deliver(button);
    if (&button == &Event("Command1")) {
        clock_.resume(form_.ctl);
        skipped_ = 0;
    }
}

bool Program::enter(std::string_view box, Millis now) {
    // The six input boxes are the text boxes the program does not write.
    const ControlDesign *design = nullptr;
    for (const ControlDesign &c : WindowDescription())
        if (c.kind == ControlKind::TextBox && c.name == box) design = &c;
    if (!design || design->readOnly) return false;
    advanceTo(now);
    press(Event(form_.ctl.Timer1.Enabled ? "Command3" : "Command1"), now);
    return true;
}

void Program::pause(Millis now) {
    advanceTo(now);
    if (form_.feedback.closed) return;
    if (!paused()) log_.disturb();
    clock_.pause();
}

void Program::resume(Millis now) {
    advanceTo(now);
    if (!form_.feedback.closed) clock_.resume(form_.ctl);
}

void Program::togglePause(Millis now) {
    paused() ? resume(now) : pause(now);
}

void Program::step(Millis now) {
    advanceTo(now);
    // A tick runs only while Timer1 is enabled, as the timer's own would.
    if (form_.feedback.closed || !form_.ctl.Timer1.Enabled) return;
    clock_.pause();
    log_.disturb();
    deliver(Event("Timer1"));
    clock_.releaseMarkers(form_.ctl);
}

std::optional<Notice> Program::takeNotice() {
    const Feedback &fb = form_.feedback;
    if (fb.messageSerial != toldMessage_) {
        toldMessage_ = fb.messageSerial;
        if (fb.message) {
            Notice n{fb.messageLines.empty() ? *fb.message
                                             : FormatLines(fb.messageLines, options_.translate),
                     {}};
            // The focus goes back to the first box the message names.
            for (const MessageLine &line : fb.messageLines)
                if (n.focusBox.empty()) n.focusBox = line.box;
            return n;
        }
    }
    if (!fb.error) {
        toldError_ = false;
    } else if (!toldError_) {
        toldError_ = true;
        return Notice{
            fb.errorLines.empty() ? *fb.error : FormatLines(fb.errorLines, options_.translate), {}};
    }
    return std::nullopt;
}

std::string Program::windowDescription() const {
    if (paused()) return DescribePause(options_.translate);
    if (skipped_ > 0) return DescribeSlip(skipped_, form_.decimalSeparator, options_.translate);
    return std::string();
}

void Program::logSetUp() {
    const Controls &c = form_.ctl;
    const auto read = [this](const std::string &text) {
        return ParseNumber(text, form_.decimalSeparator).value_or(0);
    };
    log_.setUp({form_.vars.Temperature.value(), read(c.Text2), read(c.Text3), read(c.Text9),
                read(c.Text4), read(c.Text8)},
               clock_.now());
}

void Program::describe() {
    diagramDescription_ =
        DescribeBands(SummarizeBands(form_), pairs_.generated(), pairs_.recombined(),
                      form_.decimalSeparator, options_.translate);
    pairs_.reset();
    plotDescription_ = DescribePlot(form_.vars.ElectronCount.value(), options_.translate);
}

} // namespace transistor
