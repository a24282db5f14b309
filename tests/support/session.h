// A user at the window, as the fuzzer and the soak run play one: typing into
// the input boxes, pressing Start and Restart, and the timers ticking as the
// window delivers them (a readout every 200 ticks, a marker hidden 4 ticks
// after it was shown). After every event the invariants are checked.
#pragma once

#include <string>
#include <string_view>

#include "model/form.h"

namespace transistor::testing {

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
    void setDecimalSeparator(std::string separator) {
        form_.decimalSeparator = std::move(separator);
    }

    // Empty while everything holds; otherwise the first thing that broke.
    const std::string &failure() const { return failure_; }
    const Form &form() const { return form_; }
    long ticks() const { return ticks_; }

  private:
    void check(const char *after);

    Form form_;
    FixedSeedRandom random_;
    std::string failure_;
    long ticks_ = 0;
    int sinceReadout_ = 0;
    int sinceRed_ = 0, sinceBlue_ = 0;
};

} // namespace transistor::testing
