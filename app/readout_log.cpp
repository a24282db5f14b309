#include "app/readout_log.h"

namespace transistor {

void ReadoutLog::setUp(const ReadoutInputs &inputs, Millis now) {
    inputs_ = inputs;
    setUpAt_ = now;
    disturbed_ = true;
}

void ReadoutLog::readout(int collector, int base, int electrons, int holes, Millis now) {
    Readout r;
    r.number = dropped_ + readouts_.size() + 1;
    r.sinceOpen = now - opened_;
    if (inputs_) r.sinceSetUp = now - setUpAt_;
    r.collector = collector;
    r.base = base;
    r.electrons = electrons;
    r.holes = holes;
    r.inputs = inputs_;
    // Before the first Start nothing runs: such a readout counts no ticks,
    // and a readout whose interval began before Start counts fewer.
    r.ticks = ticks_;
    r.whole = inputs_ && !disturbed_ && ticks_ == kTicksPerReadout;
    ticks_ = 0;
    disturbed_ = false;
    readouts_.push_back(r);
    if (readouts_.size() > kCapacity) {
        readouts_.pop_front();
        ++dropped_;
    }
}

} // namespace transistor
