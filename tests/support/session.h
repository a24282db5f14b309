// A user at the window, as the fuzzer and the soak run play one: typing into
// the input boxes, pressing Start and Restart, and the timers ticking as the
// window delivers them (a readout every 200 ticks, a marker hidden 4 ticks
// after it was shown). After every event the invariants are checked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/form.h"

namespace transistor::testing {

// A session as a script of the driver (tools/script_runner.h): a line for
// each handler call, in order, and a dump after each Start and Restart and at
// the end, with the state the session had there. A script sets no decimal
// separator (the driver takes it from the locale; here it is the point) and
// no text with a line break; the recording ends at the first such event,
// with a comment saying so.
struct ScriptRecording {
    std::string script;
    std::vector<Form> dumps; // the state at each dump line
    bool ended = false;
};

inline constexpr std::string_view kInputBoxNames[] = {"Text1", "Text2", "Text3",
                                                      "Text9", "Text4", "Text8"};

class Session {
  public:
    Session();

    void type(int inputBox, std::string text); // inputBox indexes kInputBoxNames
    void press(bool start);                    // Start, or else Restart
    void tick();      // one Timer1 tick, if Timer1 runs, with the timers around it
    void readout();   // Timer2 at an odd moment
    void hideMarks(); // Timer3 and Timer4, if enabled
    void setDecimalSeparator(std::string separator);

    // From now on, every event also goes into recording, until endRecording.
    void record(ScriptRecording &recording) { recording_ = &recording; }
    void endRecording();

    // Empty while everything holds; otherwise the first thing that broke.
    const std::string &failure() const { return failure_; }
    const Form &form() const { return form_; }
    long ticks() const { return ticks_; }

  private:
    void check(const char *after);
    void recordLine(std::string_view line);
    void recordDump();
    void recordEnd(std::string_view why);

    Form form_;
    FixedSeedRandom random_;
    std::string failure_;
    long ticks_ = 0;
    int sinceReadout_ = 0;
    int sinceRed_ = 0, sinceBlue_ = 0;
    ScriptRecording *recording_ = nullptr;
    long pendingTicks_ = 0; // recorded as one "tick N" before the next line
};

} // namespace transistor::testing
