// The controls whose events run a handler: the three buttons and the four
// timers. The window connects its widgets through this table and the script
// driver finds the buttons and timers of a script in it, so both deliver the
// same event to the same handler.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "model/form.h"

namespace transistor {

struct ControlEvent {
    std::string_view control; // "Command1" … "Timer4"
    // What a script may call a button besides its name; empty for a timer.
    std::string_view alias;
    // The handler, with the random source every handler may be given.
    void (*handler)(Form &, RandomSource &);
    // The timer whose tick this is; nullptr for a button's click.
    TimerProps Controls::*timer = nullptr;
};

std::span<const ControlEvent> ControlEvents();

// The event of the control called name, or nullptr.
const ControlEvent *FindControlEvent(std::string_view name);
// The button called name or alias ("Command1" or "Start"), or nullptr.
const ControlEvent *FindButton(std::string_view name);

// Delivers one event to its handler: the program's own (RunHandler), or a
// stand-in in a test.
using EventRunner = std::function<void(const ControlEvent &, Form &, RandomSource &)>;
void RunHandler(const ControlEvent &event, Form &f, RandomSource &rnd);

} // namespace transistor
