// The 50 ms simulation tick.
#include "engine/phases.h"
#include "model/form.h"
#include "model/routines.h"

namespace transistor {

namespace {

void RunTick(Form &f, RandomSource &rnd) {
    auto &s = f.vars;
    // 1. Both tallies start at 0.
    s.ReservoirTally = Integer(0);
    s.CollectorTally = Integer(0);
    // 2.-8. The phases: electrons, holes, a pair, recombination, the bin shift.
    ElectronPass(f, rnd);
    ElectronRefill(f, rnd);
    HolePass(f, rnd);
    HoleRefill(f, rnd);
    GeneratePair(f, rnd);
    RecombinePairs(f, rnd);
    ShiftBinCounts(f);
    // 9. One point of the electron count, 14 twips per electron up from 1380.
    f.ctl.Picture1.push_back(
        {s.PlotX.toSingle(), (1380 - Integer(14) * s.ElectronCount).toSingle()});
    // 10. The sweep starts again after the point at 2660, which the clear
    // erases in the tick that draws it.
    s.PlotX = s.PlotX + 2;
    if (s.PlotX > 2660) {
        s.PlotX = 0;
        f.ctl.Picture1.clear();
    }
}

} // namespace

void Timer1_Timer(Form &f, RandomSource &rnd) {
    try {
        RunTick(f, rnd);
    } catch (const RuntimeError &e) {
        // The animation stops and the state stays as it was when the error
        // was raised, for inspection.
        f.ctl.Timer1.Enabled = false;
        f.feedback.error = std::string("The animation stopped: run-time error \"") + e.what() +
                           "\" in the simulation step. Change the inputs and press Start.";
    }
}

} // namespace transistor
