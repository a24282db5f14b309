#include "display/band_summary.h"

#include <algorithm>
#include <vector>

#include "model/message.h"
#include "model/number_input.h"

namespace transistor {

namespace {

constexpr const char *kContext = "Description";
constexpr std::string_view kDesignTime = TRANSLATABLE(
    "Description",
    "Energy bands of an npn transistor as drawn at design time; no carriers yet. Press Start to "
    "lay the diagram out from the inputs.");
// Counts follow a colon, so that one electron reads as well as many.
constexpr std::string_view kLaidOut = TRANSLATABLE(
    "Description",
    "Electrons in the emitter: %1, in the base: %2, in the collector: %4, in the junctions: %5. "
    "Holes in the base: %3. The barrier that emitter electrons face is %6 eV; the collector's "
    "conduction edge lies %7 eV below the base's. Since the last update: pairs generated: %8, "
    "recombined: %9.");
constexpr std::string_view kPlot = TRANSLATABLE(
    "Description",
    "One point at every step of the animation, higher for more electrons. Electrons now: %1.");
constexpr std::string_view kPaused = TRANSLATABLE("Description", "The animation is paused.");
constexpr std::string_view kSlipped =
    TRANSLATABLE("Description", "The animation could not keep up with the clock and has skipped "
                                "%1 s since Start; each readout still counts 10 s of animation.");

} // namespace

BandSummary SummarizeBands(const Form &f) {
    const SimulationState &s = f.vars;
    BandSummary b;
    // Set-up writes the gap; before it every level is zero.
    b.laidOut = s.BandGapHeight.value() != 0;
    if (!b.laidOut) return b;
    const double gap = s.BandGapHeight.toDouble();
    b.barrierEv = (s.EmitterConductionY - s.BaseConductionY).toDouble() / gap;
    b.collectorDropEv = (s.CollectorConductionY - s.BaseConductionY).toDouble() / gap;
    // The regions as every rule tells them apart: boundaries belong to the
    // flat regions.
    const double emitterRight = s.EmitterRightX.toDouble(), baseLeft = s.BaseLeftX.toDouble(),
                 baseRight = s.BaseRightX.toDouble(), collectorLeft = s.CollectorLeftX.toDouble();
    for (int i = 1; i <= std::clamp(s.ElectronCount.value(), 0, 100); ++i) {
        const double x = f.ctl.Shape1(i).Left;
        if (x <= emitterRight)
            ++b.emitterElectrons;
        else if (x >= baseLeft && x <= baseRight)
            ++b.baseElectrons;
        else if (x >= collectorLeft)
            ++b.collectorElectrons;
        else
            ++b.junctionElectrons;
    }
    for (int i = 1; i <= std::clamp(s.HoleCount.value(), 0, 100); ++i) {
        const double x = f.ctl.Shape2(i).Left;
        if (x >= baseLeft && x <= baseRight) ++b.baseHoles;
    }
    return b;
}

std::string DescribeBands(const BandSummary &b, int generated, int recombined,
                          std::string_view decimalSeparator, const Translate &translate) {
    if (!b.laidOut) return Translated(translate, kContext, kDesignTime);
    const std::vector<std::string> args = {std::to_string(b.emitterElectrons),
                                           std::to_string(b.baseElectrons),
                                           std::to_string(b.baseHoles),
                                           std::to_string(b.collectorElectrons),
                                           std::to_string(b.junctionElectrons),
                                           FixedText(b.barrierEv, 2, decimalSeparator),
                                           FixedText(b.collectorDropEv, 2, decimalSeparator),
                                           std::to_string(generated),
                                           std::to_string(recombined)};
    return FillPlaces(Translated(translate, kContext, kLaidOut), args);
}

std::string DescribePlot(int electrons, const Translate &translate) {
    return FillPlaces(Translated(translate, kContext, kPlot), {std::to_string(electrons)});
}

std::string DescribePause(const Translate &translate) {
    return Translated(translate, kContext, kPaused);
}

std::string DescribeSlip(std::int64_t skippedMs, std::string_view decimalSeparator,
                         const Translate &translate) {
    return FillPlaces(Translated(translate, kContext, kSlipped),
                      {FixedText(static_cast<double>(skippedMs) / 1000, 1, decimalSeparator)});
}

void PairCounter::beforeTick(const Form &f) {
    marker_ = f.ctl.Line18;
    holes_ = f.vars.HoleCount.value();
    baseCurrent_ = f.vars.BaseCurrentCount.value();
}

void PairCounter::afterTick(const Form &f) {
    const LineProps &marker = f.ctl.Line18;
    const int generated = marker.Visible && !(marker == marker_) ? 1 : 0;
    const int refill = f.vars.BaseCurrentCount.value() - baseCurrent_;
    const int recombined = refill + generated - (f.vars.HoleCount.value() - holes_);
    generated_ += generated;
    recombined_ += std::max(recombined, 0);
}

} // namespace transistor
