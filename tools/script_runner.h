// The script driver: runs the program without its window. It creates a Form,
// runs Form_Load and delivers the events of a script to the same handlers as
// the window does, printing the state as JSON on request.
//
// A script has one command a line; blank lines and lines whose first
// non-blank character is '#' are ignored:
//   random FILE     the shared random source returns the numbers in FILE
//   set BOX TEXT    sets the Text of Text1 … Text13 to TEXT, verbatim
//   click BUTTON    Start/Command1, Restart/Command3, Close/Command2
//   tick [N]        N ticks of Timer1 (default 1), each only while it is enabled
//   fire TIMER      one tick of Timer2, Timer3 or Timer4 if it is enabled
//   wait MS         MS milliseconds pass: the timers' events fall due in order
//   pause, resume   freeze and thaw all four timers, as the window's F5 does
//   step            one single step, as the window's F6 does
//   dump            prints the state as one line of JSON
//   readouts        prints every current readout so far as CSV (app/readout_report.h)
// The clock starts at 0 with Form_Load; only wait moves it, and tick and
// fire deliver their event at once, whatever the clock says.
// See README.md for the details.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_events.h"
#include "app/program.h"
#include "model/form.h"
#include "model/random_source.h"

namespace transistor {

// What is wrong with one command of a script; the driver stops with it.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a random file: one decimal number a line ('.' as the point, blanks
// around it and blank lines allowed), each rounded to single precision and
// required to lie in [0, 1). Throws ScriptError.
std::vector<Single> ReadRandomFile(const std::string &path);

class ScriptDriver {
  public:
    // Creates the Form and runs Form_Load. Dumps go to out.
    ScriptDriver(std::ostream &out, std::string decimalSeparator = ".",
                 EventRunner run = RunHandler);

    // Runs one line of a script (without its line break). Throws ScriptError
    // for a malformed command, an unknown box, button or timer, a bad random
    // file, a random list that runs out, or an error that a handler let out.
    void execute(std::string_view line);

    const Form &form() const { return program_->form(); }
    const Program &program() const { return *program_; }
    bool closed() const { return form().feedback.closed; }

  private:
    void set(std::string_view rest);
    void click(std::string_view button);
    void tick(std::string_view count);
    void fire(std::string_view timer);
    void wait(std::string_view ms);
    void dump();
    void readouts();
    template <class F> void deliver(F &&handlerCall);
    void deliver(const ControlEvent &event);

    std::ostream &out_;
    std::unique_ptr<Program> program_;
};

// Longest script line that is read; a longer one is an error.
inline constexpr std::size_t kMaxScriptLine = std::size_t{1} << 20;

// Runs a whole script. Returns 0 when it ran to its end (or to Close), and 2
// after writing "script line N: …" to err when it could not.
int RunScript(std::istream &in, std::ostream &out, std::ostream &err,
              std::string decimalSeparator = ".", EventRunner run = RunHandler);

} // namespace transistor
