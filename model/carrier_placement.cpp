// The initial scattering of the carriers, and the Start button.
#include <algorithm>

#include "model/setup.h"

namespace transistor {

namespace {

// Only circles 0..100 exist: targets beyond them (an emitter Fermi level
// above about 1.117 eV, a negative level, a base level above 1 eV) start with
// as many carriers as there are circles, or none.
Integer WithinSlots(Integer target) {
    return std::clamp(target.value(), 0, 100);
}

// The placement's own 16-bit arithmetic, done before any random draw so that
// a refused Start has spent none.
struct RestingTops {
    Single emitterElectron, collectorElectron, baseHole;
};

RestingTops ComputeRestingTops(const SimulationState &s) {
    return {(s.EmitterConductionY - s.CarrierSize).toSingle(),
            (s.CollectorConductionY - s.CarrierSize).toSingle(), s.BaseValenceY.toSingle()};
}

} // namespace

void PlaceCarriers(Form &f, RandomSource &rnd) {
    auto &s = f.vars;
    auto &c = f.ctl;
    const RestingTops tops = ComputeRestingTops(s);
    const Single emitterWidth = (s.EmitterRightX - s.EmitterLeftX).toSingle();
    const Single collectorWidth = (s.CollectorRightX - s.CollectorLeftX).toSingle();

    // 1. The counts start at the targets, within the slots.
    s.ElectronCount = WithinSlots(s.EmitterElectronTarget);
    s.HoleCount = WithinSlots(s.BaseHoleTarget);
    const int n = s.ElectronCount.value();
    const int h = s.HoleCount.value();
    const int m = n / 2;

    // 2. Electrons into the emitter; x in single precision.
    CountedLoop(s.LoopIndex, 1, m, [&](int i) {
        const Single r = rnd.next();
        const Single x = emitterWidth * r + s.EmitterLeftX.toSingle();
        s.CarrierX = x;
        c.Shape1(i) = {x, tops.emitterElectron};
    });
    // 3. Electrons into the collector, from m on: electron m, already placed
    // in the emitter, ends in the collector. The rest are parked with their
    // random collector x.
    CountedLoop(s.LoopIndex, m, 100, [&](int i) {
        const Single r = rnd.next();
        const Single x = collectorWidth * r + s.CollectorLeftX.toSingle();
        s.CarrierX = x;
        c.Shape1(i) = {x, i > n ? kParkedTop : tops.collectorElectron};
    });
    // 4. Holes across the base.
    CountedLoop(s.LoopIndex, 1, 100, [&](int i) {
        const Single r = rnd.next();
        const Single x = r * 840.0f + s.BaseLeftX.toSingle();
        s.CarrierX = x;
        c.Shape2(i) = {x, i > h ? kParkedTop : tops.baseHole};
    });
    // 5. The animation starts.
    c.Timer1.Enabled = true;
}

void Command1_Click(Form &f, RandomSource &rnd) {
    const bool laidOut = RunGuardedSetup(f, [](Form &trial) {
        SetupBandDiagram(trial);
        ComputeRestingTops(trial.vars);
    });
    if (!laidOut) return;
    // A fresh start clears the report of an error that stopped the last run.
    f.feedback.error.reset();
    PlaceCarriers(f, rnd);
}

} // namespace transistor
