// The program as every view runs it: Form1 with its random source, the
// clock of its four timers with pause and single step, and the window's
// rules that are not drawing: what Enter in a box does, what a message says
// and which box the focus goes back to, and what a screen reader is told.
//
// A view forwards its events with the time of its own clock, wakes the
// program at nextDeadline() with one call to advanceTo, however late, and
// then paints once from form(): the program catches up what fell due. The
// script driver does the same with a time of its own.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/clock.h"
#include "app/control_events.h"
#include "app/readout_log.h"
#include "display/band_summary.h"
#include "model/form.h"
#include "model/random_source.h"
#include "model/translatable.h"

namespace transistor {

// Something the user must be told, once: a refused input or a run-time
// error. After it, the focus goes back to focusBox ("Text2"), if any, with
// its text selected.
struct Notice {
    std::string text;
    std::string focusBox;
    friend bool operator==(const Notice &, const Notice &) = default;
};

class Program {
  public:
    struct Options {
        // The user's decimal separator (UTF-8); "." is read in every locale.
        std::string decimalSeparator = ".";
        // The user's language for messages and descriptions; empty: as designed.
        Translate translate;
        // Delivers each event; a test may put a stand-in here.
        EventRunner run = RunHandler;
        // A window reports an exception that a handler lets out as a
        // run-time error and stops the animation, as the tick does with its
        // own; the script driver lets it out, to stop the script with it.
        bool reportEscapes = true;
        // Told of every event after it was delivered.
        std::function<void(const ControlEvent &)> delivered;
    };

    // Creates the Form and runs Form_Load at time start.
    explicit Program(Options options, Millis start = 0);

    Form &form() { return form_; }
    const Form &form() const { return form_; }
    RandomSource &random() { return *random_; }
    void setRandom(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }
    const Clock &clock() const { return clock_; }
    // Every current readout since the window opened (see app/readout_log.h).
    const ReadoutLog &readoutLog() const { return log_; }
    // For a tool that shows a session the script driver ran, as form() is.
    ReadoutLog &readoutLog() { return log_; }

    // One wake at time now, as a view calls it and then paints once: every
    // timer event due by then, each at its own time and in order, the clock
    // slipping first when they reach back more than Clock::kCatchUp (see
    // app/clock.h).
    void advanceTo(Millis now);
    // As a view woken on time at every deadline up to t, and never slipping:
    // the driver's `wait`.
    void runUntil(Millis t);
    // When the program wants to be woken next; nothing while no timer runs.
    std::optional<Millis> nextDeadline() const { return clock_.nextDeadline(); }

    // A click on a button at time now. Start always leaves the animation
    // running, so it also ends a pause; Restart keeps it.
    void press(const ControlEvent &button, Millis now);
    // Enter in the box called box at time now: in one of the six input boxes
    // it applies the inputs, Restart while the animation runs and Start
    // before the first Start (or after an error stopped it). Returns whether
    // the box takes Enter.
    bool enter(std::string_view box, Millis now);
    // A timer event or a click delivered now, whatever the clock says.
    void deliver(const ControlEvent &event);

    // F5 and F6. A pause stops all four timers, each keeping what it had
    // left. A step pauses, runs one tick of Timer1 (nothing before the first
    // Start or after an error stopped the animation) and lets a marker shown
    // by it clear after its 200 ms.
    void pause(Millis now);
    void resume(Millis now);
    void togglePause(Millis now);
    void step(Millis now);
    bool paused() const { return clock_.paused(); }
    // Whether leaving now would lose a run: Start was pressed and neither
    // Close nor an error has ended it. A view asks before it lets the user go.
    bool runOn() const { return form_.ctl.Timer1.Enabled && !form_.feedback.closed; }

    // The next thing to tell the user, each once: a new message, then a new
    // run-time error (a Start that clears an error lets the next one be told).
    std::optional<Notice> takeNotice();

    // What a screen reader hears, in the user's language. The band diagram
    // is described after Start and Restart and at each readout, never at a
    // tick, with the pairs since the last description; the plot with it.
    const std::string &diagramDescription() const { return diagramDescription_; }
    const std::string &plotDescription() const { return plotDescription_; }
    // The window's own description: empty, that the animation is paused, or
    // how much animation the clock skipped since Start.
    std::string windowDescription() const;
    // The program's time that the clock skipped since Start.
    Millis skipped() const { return skipped_; }

  private:
    void describe();
    void logSetUp();

    Options options_;
    Form form_;
    std::unique_ptr<RandomSource> random_;
    Clock clock_;
    ReadoutLog log_;
    PairCounter pairs_;
    std::string diagramDescription_, plotDescription_;
    Millis skipped_ = 0;
    unsigned toldMessage_ = 0;
    bool toldError_ = false;
};

} // namespace transistor
