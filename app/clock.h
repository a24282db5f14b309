// The window's four timers on one clock that the time is given to from
// outside: a view hands it the milliseconds of its own clock, the script
// driver a count of its own. Nothing here reads a clock of the system, so a
// test can say "10 s later" and mean it exactly.
//
// Each timer runs while its control is Enabled, as the handlers leave it
// (sync). Enabling a timer that runs leaves its count alone; enabling one
// that is stopped starts a fresh interval from now.
//
// The order of events: a wake at time t delivers every event due at or
// before t, earliest first. Events due at the same millisecond come in the
// order Timer3, Timer4, Timer1, Timer2: a marker is hidden before the tick
// that may show the next one, so a new marker is never hidden at once, and a
// readout comes after the tick that falls with it, so a readout 10 s after
// Start counts 200 ticks.
//
// A late wake never gets a burst: each timer fires at most once per wake.
// A timer due at d that fires in a wake at t is next due at d + interval if
// that is still after t (it keeps its beat), and otherwise at t + interval
// (it was a whole interval or more behind, and starts again from the wake),
// as desktop timers behave. A timer started by a handler during a wake
// starts its interval from the wake.
//
// A pause freezes every running timer with the time it had left; resume
// goes on from there. While paused, only the marker timers may be started or
// thawed (release), so that a marker shown by a single step clears.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/control_events.h"
#include "model/controls.h"

namespace transistor {

// Milliseconds of whatever clock drives the program; only differences matter.
using Millis = std::int64_t;

class Clock {
  public:
    struct Timer {
        const ControlEvent *event = nullptr;
        Millis interval = 0;
        bool marker = false; // only hides a marker line: Timer3, Timer4
        bool running = false;
        Millis due = 0; // while running and not frozen
        std::optional<Millis> frozenLeft;
    };

    // The four timers, stopped, at time start.
    explicit Clock(Millis start = 0);

    Millis now() const { return now_; }
    bool paused() const { return paused_; }

    // Starts a wake at t (never earlier than now): now becomes t.
    void wake(Millis t);
    // The timer whose event is due next at or before now, or nullptr. It is
    // rescheduled as it is taken; the caller delivers its event and syncs.
    Timer *takeDue();
    // When the next event falls due; nothing while no timer runs.
    std::optional<Millis> nextDeadline() const;

    // Starts and stops the timers as their controls say; runs after every handler.
    void sync(const Controls &c);
    void pause();
    void resume(const Controls &c);
    // Thaws the frozen marker timers while paused (a step ran).
    void releaseMarkers(const Controls &c);
    // Ends every timer for good (the program closes).
    void stopAll();

    // For tests and views: the timer of a control ("Timer1" … "Timer4").
    const Timer &timer(std::string_view control) const;

  private:
    void start(Timer &t);
    std::array<Timer, 4> timers_; // in the order of events due together
    Millis now_;
    bool paused_ = false;
};

} // namespace transistor
