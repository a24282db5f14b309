// Every current readout of a session, kept beside the Form so that a class
// can compare settings the way the window's own boxes cannot: those show
// only the last readout and forget it 10 s later. The log is no part of the
// Form (a dump does not show it); Program feeds it at the events it already
// delivers, the same in both views and under the script driver.
//
// A readout is whole when it counts 200 ticks of one setting, undisturbed:
// no Start, Restart, pause or single step fell inside its 10 s. Only whole
// readouts go into a setting's mean, since the others count a part of a
// run, or a run of a different kind (stepped by hand, or re-scattered).
//
// The log keeps the last kCapacity readouts: 1440, four hours at one every
// 10 s, two lessons. Past that the oldest is dropped as each new one comes;
// every readout keeps its number from the start of the session, so a table
// or a file that starts at a number above 1 shows how many went.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "app/clock.h"

namespace transistor {

// The six inputs as a Start or Restart read them (after the clamps of VEB
// and VCB), in the order the window lists them.
struct ReadoutInputs {
    int temperature = 0;                                        // K, as the set-up rounds it
    double emitterFermi = 0, baseFermi = 0, collectorFermi = 0; // eV
    double veb = 0, vcb = 0;                                    // V
    friend bool operator==(const ReadoutInputs &, const ReadoutInputs &) = default;
};

struct Readout {
    std::uint64_t number = 0; // 1 for the session's first readout
    Millis sinceOpen = 0;     // since the window opened
    // Since the last Start or Restart; nothing before the first Start.
    std::optional<Millis> sinceSetUp;
    int collector = 0, base = 0;         // the readouts the boxes showed
    int electrons = 0, holes = 0;        // the counts in use at the readout
    int ticks = 0;                       // the ticks of the animation it counts
    std::optional<ReadoutInputs> inputs; // nothing before the first Start
    bool whole = false;
    friend bool operator==(const Readout &, const Readout &) = default;
};

// The ticks a whole readout counts: 10 s of 50 ms ticks.
inline constexpr int kTicksPerReadout = 200;

class ReadoutLog {
  public:
    static constexpr std::size_t kCapacity = 1440;

    explicit ReadoutLog(Millis opened = 0) : opened_(opened) {}

    // A Start or Restart that was kept, with the inputs it read, at now.
    void setUp(const ReadoutInputs &inputs, Millis now);
    // A pause or a single step: the readout under way is no longer whole.
    void disturb() { disturbed_ = true; }
    // One tick of the animation ran.
    void ticked() { ++ticks_; }
    // The readout at now, with what the boxes show and the counts in use.
    void readout(int collector, int base, int electrons, int holes, Millis now);

    // Oldest first.
    const std::deque<Readout> &readouts() const { return readouts_; }
    // How many of the oldest readouts were dropped to keep the bound.
    std::uint64_t dropped() const { return dropped_; }
    // Counts every change, so that a view updates only after one.
    std::uint64_t serial() const { return dropped_ + readouts_.size(); }

  private:
    Millis opened_;
    std::optional<ReadoutInputs> inputs_;
    Millis setUpAt_ = 0;
    int ticks_ = 0;
    bool disturbed_ = false;
    std::deque<Readout> readouts_;
    std::uint64_t dropped_ = 0;
};

} // namespace transistor
