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
// A late wake catches up: it delivers every event that fell due since the
// last one, each at its own time (now() is its due time while it runs, and
// a timer that a handler starts counts its interval from there), in the
// order above, as if the view had been woken on time at every deadline. So
// a view that wakes once in a while calls the program once and paints once,
// and still runs every tick and readout the clock says: 200 ticks a readout
// on any device that runs the program faster than real time.
//
// The catch-up is bounded to kCatchUp of the program's time. A wake whose
// oldest due event is more than that behind (a hidden tab, a laptop that
// slept, a debugger stop) slips first: every running timer moves on by the
// excess, as if a pause of that length had come right after the last wake,
// and the last kCatchUp before the wake then runs as above. Running minutes
// of ticks in one burst would only freeze the window and show a fast
// forward; after a slip the run is the run with a pause in it, so each
// readout still counts 200 ticks.
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

    // The most of the program's time that one wake runs: twenty ticks. Four
    // times the longest frame of a slow device (275 ms), so that any hitch
    // of a working machine is made up in full, and short enough that the
    // burst takes a few milliseconds even on that device.
    static constexpr Millis kCatchUp = 1000;

    Millis now() const { return now_; }
    bool paused() const { return paused_; }

    // Starts a wake at t (never earlier than now). Returns how far the clock
    // slipped (0 unless the oldest due event is more than kCatchUp behind t).
    Millis wake(Millis t);
    // The timer whose event is due next by the wake's time, or nullptr. Now
    // becomes its due time and it is rescheduled one interval on; the caller
    // delivers its event and syncs. When none is left, now becomes the wake's
    // time.
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
    Millis until_; // the time of the wake in progress
    bool paused_ = false;
};

} // namespace transistor
