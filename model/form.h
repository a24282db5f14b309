// Form1: the state variables, the run-time properties of its controls and
// what the program has told the user. The handlers below are the program:
// the window forwards its events to them, the script driver does the same.
#pragma once

#include <optional>
#include <string>

#include "model/controls.h"
#include "model/random_source.h"
#include "model/state.h"

namespace transistor {

struct Feedback {
    // The last message the program showed the user; messageSerial counts
    // them, so that a view can tell a new message from the same text again.
    std::optional<std::string> message;
    unsigned messageSerial = 0;
    // A run-time error that stopped the animation.
    std::optional<std::string> error;
    bool closed = false;

    friend bool operator==(const Feedback &, const Feedback &) = default;
};

struct Form {
    SimulationState vars;
    Controls ctl = Controls::DesignTime();
    Feedback feedback;
    // The user's decimal separator (UTF-8); "." is accepted as well in every
    // locale, so that the design-time texts always read the same.
    std::string decimalSeparator = ".";

    void showMessage(std::string text) {
        feedback.message = std::move(text);
        ++feedback.messageSerial;
    }
};

// The simulated state: what a refused set-up must leave exactly as it was.
inline bool SameSimulation(const Form &a, const Form &b) {
    return a.vars == b.vars && a.ctl == b.ctl;
}

// Handlers.
void Form_Load(Form &f);
void Command1_Click(Form &f, RandomSource &rnd); // Start
void Command2_Click(Form &f);                    // Close
void Command3_Click(Form &f);                    // Restart
void Timer1_Timer(Form &f, RandomSource &rnd);   // the 50 ms simulation tick
void Timer2_Timer(Form &f);                      // the 10 s current readout
void Timer3_Timer(Form &f);                      // hides the red marker
void Timer4_Timer(Form &f);                      // hides the blue marker

} // namespace transistor
