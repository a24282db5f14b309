#include "display/band_summary.h"

#include <algorithm>

namespace transistor {

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
