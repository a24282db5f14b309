// What a screen reader is told about the band diagram: where the carriers
// are and how the bands stand, read from the Form between two events, and
// how many pairs came and went since it was last told.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/form.h"
#include "model/translatable.h"

namespace transistor {

struct BandSummary {
    bool laidOut = false; // no Start or Restart yet: nothing else holds
    int emitterElectrons = 0, baseElectrons = 0, collectorElectrons = 0, junctionElectrons = 0;
    int baseHoles = 0;
    double barrierEv = 0;       // the base's conduction edge above the emitter's
    double collectorDropEv = 0; // the collector's conduction edge below the base's
};

BandSummary SummarizeBands(const Form &f);

// What a screen reader is told, in the user's language (context
// "Description") with the locale's decimal separator: the band diagram, with
// the pairs since the last description; the plot; the window while paused,
// and the window when its clock slipped (skippedMs of animation left out).
std::string DescribeBands(const BandSummary &b, int generated, int recombined,
                          std::string_view decimalSeparator, const Translate &translate);
std::string DescribePlot(int electrons, const Translate &translate);
std::string DescribePause(const Translate &translate);
std::string DescribeSlip(std::int64_t skippedMs, std::string_view decimalSeparator,
                         const Translate &translate);

// Counts the pairs that ticks generate and recombine, from what each tick
// changes: a generation shows the red marker at a new place, and the holes a
// tick loses beyond its refill (the base-current count) recombined.
class PairCounter {
  public:
    void beforeTick(const Form &f);
    void afterTick(const Form &f);
    int generated() const { return generated_; }
    int recombined() const { return recombined_; }
    void reset() { generated_ = recombined_ = 0; }

  private:
    LineProps marker_;
    int holes_ = 0;
    int baseCurrent_ = 0;
    int generated_ = 0;
    int recombined_ = 0;
};

} // namespace transistor
